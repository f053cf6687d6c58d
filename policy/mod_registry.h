// The three registry procedures through which every read, write and deletion
// of the two list values goes. All work below HKEY_CURRENT_USER, and each
// uses a cRegistry instance of its own.
#pragma once

#include <string>
#include <string_view>

namespace sarvell::policy {

// Writes the text as a string value, creating the key when missing. Errors
// pass to the caller.
void SetRegValue(const std::string& keyPath, std::string_view valueName, const std::string& text);
// The value's text, or the default when the key or value is missing, the
// text is empty, or reading fails. Never raises.
std::string GetRegValue(const std::string& keyPath, std::string_view valueName, std::string_view defaultText) noexcept;
// Deletes the value unless it is absent. Errors pass to the caller.
void DeleteRegValue(const std::string& keyPath, std::string_view valueName);

// What lies underneath GetRegValue's default: whether the value is absent,
// or could not be read. Composing commands need the difference, so that a
// failed read never turns into overwriting the stored list.
struct ListRead {
    enum class State { Absent, Present, Failed };
    State state = State::Absent;
    std::string text;     // the stored data as text, as the views show it
    bool isText = false;  // REG_SZ or REG_EXPAND_SZ, so it can be rewritten as text

    // The text a composer may build on: the stored text, or "none" for an
    // absent or empty value. Only meaningful when Composable().
    std::string TextOrNone() const;
    bool Composable() const;
};
ListRead ReadListValue(const std::string& keyPath, std::string_view valueName) noexcept;

}  // namespace sarvell::policy
