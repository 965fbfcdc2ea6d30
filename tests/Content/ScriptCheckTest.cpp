// Checks the shipped scripts (Assets/Scripts): each passes the start-up validation, every global
// it calls exists in an entity's state or is defined by a shipped script, it stays away from the
// libraries content must not need (io, os, package, debug, load, dofile), and every script a
// scene or prefab names is shipped.
#include "../QelScripting/ScriptTestWorld.h"
#include "ContentFiles.h"

#include "QelScripting/DialogueBindings.h"
#include "data/JSON.h"

#include <gmock/gmock.h>

#include <array>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

using namespace Qel;
namespace fs = std::filesystem;

namespace {

/// The script without comments and string literals, so only code is matched.
std::string codeOf(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    static const std::regex noise(R"re(--\[(=*)\[[\s\S]*?\]\1\]|--[^\n]*|\[(=*)\[[\s\S]*?\]\2\]|"(\\.|[^"\\])*"|'(\\.|[^'\\])*')re");
    return std::regex_replace(text.str(), noise, " \"\" ");
}

/// Identifiers not reached through '.' or ':', and those of them followed by a call.
std::pair<std::set<std::string>, std::set<std::string>> globalsOf(const std::string& code) {
    static const std::regex word(R"(([.:]\s*)?\b([A-Za-z_]\w*)\b(\s*\()?)");
    std::set<std::string> names, called;
    for (std::sregex_iterator it(code.begin(), code.end(), word), end; it != end; ++it) {
        if ((*it)[1].matched) continue;
        names.insert((*it)[2]);
        if ((*it)[3].matched) called.insert((*it)[2]);
    }
    return {names, called};
}

const std::set<std::string> kKeywords{"and", "elseif", "function", "if", "in", "not", "or", "return", "until", "while"};

class ScriptCheckTest : public ScriptWorldTest {};

TEST_F(ScriptCheckTest, ShippedScriptsValidateCallOnlyWhatExistsAndNeedNoUnsafeLibrary) {
    const std::vector<fs::path> files = test::filesIn(test::kAssets / "Scripts", {".lua"});
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(loadScripts(test::kAssets / "Scripts"), files.size()) << logged.take();
    EXPECT_NE(assets->findRegistry<LuaScriptStringWrapper>()->get(hashName("audioFunctions")), nullptr);

    // What an entity's state offers: the standard library, the host functions and the bindings.
    const Entity probe = scripted({"function onInit() local names = {}\n"
                                   "  for name in pairs(_G) do names[#names + 1] = name end\n"
                                   "  offered = table.concat(names, ' ') end"});
    // The dialogue's script also has what the dialogue system adds to its state.
    installDialogueBindings(*scripts->scriptOf(probe), std::array<Entity, 4>{});
    scripts->scriptOf(probe)->call("onInit");
    std::set<std::string> known;
    std::istringstream offered(global(probe, "offered"));
    for (std::string name; offered >> name;)
        known.insert(name);
    static const std::regex definition(R"(\bfunction\s+([A-Za-z_]\w*)|\blocal\s+(?:function\s+)?([A-Za-z_]\w*))");
    for (const fs::path& file : files) {
        const std::string code = codeOf(file);
        for (std::sregex_iterator it(code.begin(), code.end(), definition), end; it != end; ++it)
            known.insert((*it)[1].matched ? (*it)[1] : (*it)[2]);
    }

    std::vector<std::string> problems;
    const std::set<std::string> forbidden{"io", "os", "package", "debug", "load", "dofile"};
    for (const fs::path& file : files) {
        const auto [names, called] = globalsOf(codeOf(file));
        for (const std::string& name : names)
            if (forbidden.contains(name)) problems.push_back(file.filename().string() + " uses " + name);
        for (const std::string& name : called)
            if (!known.contains(name) && !kKeywords.contains(name))
                problems.push_back(file.filename().string() + " calls the unknown " + name);
    }

    // Every script a scene or a prefab names is shipped.
    for (const fs::path& file : test::filesIn(test::kAssets, {".json"})) {
        std::ifstream in(file);
        std::stringstream text;
        text << in.rdbuf();
        static const std::regex named(R"re("file"\s*:\s*"([^"]+)")re");
        const std::string json = text.str();
        for (std::sregex_iterator it(json.begin(), json.end(), named), end; it != end; ++it)
            if (!fs::is_regular_file(test::kAssets / "Scripts" / ((*it)[1].str() + ".lua")))
                problems.push_back(file.filename().string() + " names the missing script " + (*it)[1].str());
    }
    EXPECT_THAT(problems, testing::IsEmpty());
}

} // namespace
