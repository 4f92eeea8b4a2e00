// --json as a script reads it: one JSON document on stdout, of the shape the README gives,
// for a result and for a failure.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/cli_run.h"

namespace tw::test {
namespace {

using Json = nlohmann::json;

struct Field {
  std::string name;
  Json::value_t type;
};

// The fields a document must have, each of its type (an unsigned number counts as a number).
void ExpectShape(const Json& document, const std::vector<Field>& fields, const std::string& what) {
  for (const Field& field : fields) {
    ASSERT_TRUE(document.contains(field.name)) << what << ": no \"" << field.name << "\" in " << document.dump();
    Json::value_t type = document[field.name].type();
    if (type == Json::value_t::number_unsigned) type = Json::value_t::number_integer;
    EXPECT_EQ(type, field.type) << what << ": \"" << field.name << "\" in " << document.dump();
  }
}

TEST(JsonOutput, EveryCommandPrintsOneDocumentOfItsShape) {
  using T = Json::value_t;
  TempFolder folder("json");
  const std::string settings = "XDG_CONFIG_HOME=\"$PWD/config\" XDG_STATE_HOME=\"$PWD/state\" ";
  struct Case {
    std::string arguments;
    int status;
    std::vector<Field> fields;
  };
  const std::vector<Field> error = {{"status", T::number_integer}, {"message", T::string}, {"cause", T::string}};
  const Case cases[] = {
      {"upload --emulator --emulator-option seed=3 -o a.qcf --json", 0, {{"file", T::string}}},
      {"probe --emulator --emulator-option zone3=0 --json", 0,
       {{"model", T::string}, {"region", T::number_integer}, {"zone2", T::boolean}, {"zone3", T::boolean},
        {"xm", T::boolean}, {"aac", T::boolean}}},
      {"params --defaults --json", 0, {{"images", T::array}}},
      {"params a.qcf --json", 0, {{"images", T::array}}},
      {"diff a.qcf --defaults --json", 1, {{"equal", T::boolean}, {"differences", T::array}}},
      {"download --emulator a.qcf --json", 0, {{"file", T::string}, {"memories", T::boolean}}},
      {"compare a.qcf --emulator --emulator-option seed=3 --json", 0, {{"equal", T::boolean}, {"differences", T::array}}},
      {"apply a.qcf --emulator --json", 0,
       {{"frames", T::array}, {"applied", T::number_integer}, {"refused", T::array}, {"stillDifferent", T::array}}},
      {"probe --port /dev/tunewright-no-such-device --json", 1, {{"error", T::object}}},
      {"upload --emulator -o a.qcf --json", 2, {{"error", T::object}}},
      {"params no-such-file.qcf --json", 2, {{"error", T::object}}},
  };
  for (const Case& c : cases) {
    const CliResult result = RunCliIn(folder.path(), c.arguments, settings);
    EXPECT_EQ(result.status, c.status) << c.arguments << "\n" << result.err;
    const Json document = Json::parse(result.out, nullptr, false);
    ASSERT_FALSE(document.is_discarded()) << c.arguments << ": not one JSON document:\n" << result.out;
    const std::string command = c.arguments.substr(0, c.arguments.find(' '));
    EXPECT_EQ(document.value("command", ""), command) << c.arguments;
    EXPECT_EQ(document.value("ok", false), c.status == 0 || command == "diff" || command == "compare") << c.arguments;
    ExpectShape(document, c.fields, c.arguments);
    if (document.contains("error")) {
      ExpectShape(document["error"], error, c.arguments);
      EXPECT_EQ(document["error"]["status"], c.status) << c.arguments;
      // The remedy is said apart from the cause where the message has one.
      if (c.status == 1) {
        EXPECT_TRUE(document["error"]["remedy"].is_string()) << document.dump();
      }
    }
    if (document.contains("images")) {
      const Json& image = document["images"].at(0);
      ExpectShape(image, {{"image", T::number_integer}, {"parameters", T::array}}, c.arguments);
      ExpectShape(image["parameters"].at(0), {{"number", T::number_integer}}, c.arguments);
    }
  }
}

}  // namespace
}  // namespace tw::test
