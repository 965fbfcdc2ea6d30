#include "CheckKinds.h"
#include "ScriptWords.h"

#include "QelScripting/EntityScriptSetup.h"
#include "QelScripting/ScriptAssets.h"

#include <map>

namespace Qel::Check {

namespace {

/// Globals a content script must not touch: files, processes, other chunks and the debugger are
/// not content's business, and a script using them behaves differently from machine to machine.
const std::set<std::string> kForbidden{"io", "os", "package", "debug", "load", "dofile"};

/// The sound helpers of "audioFunctions": their first argument names a sound.
const std::set<std::string> kSoundHelpers{"playSFX", "playBGM", "playMFX", "loopBGM"};

} // namespace

// ".lua" scripts: each must pass the engine's start-up validation, use none of the forbidden
// libraries, and call only globals that an entity's state offers or that some script defines (an
// entity's scripts share one state, so one file may call another's functions); the sounds the
// sound helpers name must exist.
void checkScripts(CheckContext& context) {
    std::map<std::filesystem::path, std::vector<ScriptWord>> scripts;
    std::set<std::string> known = entityScriptGlobals();
    for (const auto& file : context.files("Scripts", {".lua", ".LUA"})) {
        std::string text;
        bool valid = false;
        context.read(file, [&] { valid = readScriptText(file, text) && scriptValidates(text); });
        if (!valid) context.report(file, "", "fails validation, so the engine drops it");
        // The asset text starts with the newline the loader puts in front.
        const std::string_view code = text.empty() ? std::string_view() : std::string_view(text).substr(1);
        const std::vector<ScriptWord>& words = scripts[file] = scriptWords(code);
        for (const ScriptWord& word : words)
            if (word.defined) known.insert(word.name);
    }
    for (const auto& [file, words] : scripts) {
        std::set<std::string> reported;
        for (const ScriptWord& word : words) {
            const std::string place = "line " + std::to_string(word.line);
            if (kForbidden.contains(word.name) && reported.insert(word.name).second) {
                context.report(file, place,
                               "uses \"" + word.name +
                                   "\", expected none of io, os, package, debug, load and dofile");
            } else if (word.called && kSoundHelpers.contains(word.name) && !word.firstString.empty()) {
                context.requireAsset(file, place, context.assets.sounds, word.firstString);
            } else if (word.called && !known.contains(word.name) && reported.insert(word.name).second) {
                context.report(file, place,
                               "calls \"" + word.name +
                                   "\", which neither the engine nor any script defines");
            }
        }
    }
}

} // namespace Qel::Check
