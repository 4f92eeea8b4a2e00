# The layers of src/, lowest first: a folder, then the layers its code may include besides its
# own. A layer builds only on layers before it; a folder that does not exist (yet) is skipped.
# cmake/CheckLayers.cmake (the test LayerIncludes) holds every #include of src/ to this list.
set(TW_LAYERS
  "model"
  "files     model"
  "comm      model"
  "settings  model files comm"
  "app       model files comm"
  "emu       model comm"
  "platform  model comm"
  "ui        model files comm settings app"
  "pages     model files comm settings ui"
  "session   model files comm settings app emu ui pages"
  "cli       model files comm settings app emu platform ui pages session"
  "gui       model files comm settings app emu platform ui pages session"
)

# Includes that break the layering today: a file, then the layers it may include besides its
# layer's. None at present; an entry here is a debt to pay back, with its reason beside it.
set(TW_LAYER_EXCEPTIONS
)

# tw_layer_entry(ENTRY NAME_VAR USES_VAR): a list entry's folder and the layers it may include.
function(tw_layer_entry entry name_var uses_var)
  string(REGEX MATCHALL "[^ ]+" words "${entry}")
  list(POP_FRONT words name)
  set(${name_var} ${name} PARENT_SCOPE)
  set(${uses_var} ${words} PARENT_SCOPE)
endfunction()

# tw_linked_targets(TARGET OUT_VAR): every tw_ library TARGET links, directly or through others.
function(tw_linked_targets target out_var)
  set(linked "")
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue current)
    get_target_property(deps ${current} LINK_LIBRARIES)
    foreach(dep IN LISTS deps)
      if(dep MATCHES "^tw_" AND TARGET ${dep} AND NOT dep IN_LIST linked)
        list(APPEND linked ${dep})
        list(APPEND queue ${dep})
      endif()
    endforeach()
  endwhile()
  set(${out_var} ${linked} PARENT_SCOPE)
endfunction()

# tw_check_layer_links(): each layer's library links every layer the list lets its code include.
function(tw_check_layer_links)
  foreach(entry IN LISTS TW_LAYERS)
    tw_layer_entry("${entry}" layer uses)
    if(NOT TARGET tw_${layer})
      continue()
    endif()
    tw_linked_targets(tw_${layer} linked)
    foreach(used IN LISTS uses)
      if(TARGET tw_${used} AND NOT tw_${used} IN_LIST linked)
        message(FATAL_ERROR "tw_${layer} does not link tw_${used}, which cmake/TunewrightLayers.cmake lets "
                            "src/${layer} include: link it, or take ${used} from the layer's list.")
      endif()
    endforeach()
  endforeach()
endfunction()

# tw_check_not_linked(TARGET FORBIDDEN...): TARGET links none of FORBIDDEN, directly or not, so
# that its code cannot use them (an executable built from it fails to link if it tries).
function(tw_check_not_linked target)
  tw_linked_targets(${target} linked)
  foreach(forbidden IN LISTS ARGN)
    if(forbidden IN_LIST linked)
      message(FATAL_ERROR "${target} links ${forbidden}, which it must do without.")
    endif()
  endforeach()
endfunction()
