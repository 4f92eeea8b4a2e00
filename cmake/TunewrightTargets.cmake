# Shared compile settings and the folder-per-library convention.

add_library(tw_options INTERFACE)
target_compile_options(tw_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow)
if(TW_WERROR)
  target_compile_options(tw_options INTERFACE -Werror)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  # GCC 12 at -O3 (Release) warns falsely about std::string concatenation inside libstdc++
  # (-Wrestrict, GCC bug 105329); without this a Release build stops at -Werror.
  target_compile_options(tw_options INTERFACE -Wno-restrict)
endif()
if(TW_SANITIZE)
  # GCC's flow analysis gives false maybe-uninitialized warnings on sanitizer-instrumented code.
  target_compile_options(tw_options INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=all
                                              -fno-omit-frame-pointer -O1 -Wno-maybe-uninitialized)
  target_link_options(tw_options INTERFACE -fsanitize=address,undefined)
endif()

if(TW_FUZZ)
  # Coverage for libFuzzer in every library, with the sanitizers that turn a fault into a finding.
  target_compile_options(tw_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                                              -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(tw_options INTERFACE -fsanitize=address,undefined)
endif()

# tw_library(NAME FOLDER [DEPS...]): a static library of every .cpp under FOLDER.
function(tw_library name folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC tw_options ${ARGN})
endfunction()
