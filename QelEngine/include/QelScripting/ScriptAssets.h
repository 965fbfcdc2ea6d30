#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace Qel {

/// A script asset: the file's text with one newline put in front, so Lua's line numbers are one
/// higher than the file's. Registered under the name hash of its path below the scripts folder,
/// without the extension.
struct LuaScriptStringWrapper {
    std::string text;
};

/// The script asset text of a script file's bytes: one newline, then the bytes.
std::string scriptText(std::string_view bytes);

/// The script asset text of the file at path (its content after one newline); false when it
/// cannot be read.
bool readScriptText(const std::filesystem::path& path, std::string& text);

/// Whether `text` loads and runs its top level in a fresh validation state (only the standard
/// libraries and the host functions); a failure's Lua error is logged at HIGH.
bool scriptValidates(const std::string& text);

/// Loads every ".lua" and ".LUA" file below folder into the script registry, then runs each in a
/// fresh validation state and removes (logged) those that fail. Returns how many scripts remain.
size_t loadScripts(const std::filesystem::path& folder = "../Assets/Scripts");

/// The script loading worker of the first loading phase: loadScripts() and its count line.
void loadScriptsTask(void* unused);

} // namespace Qel
