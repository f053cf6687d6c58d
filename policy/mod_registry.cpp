#include "policy/mod_registry.h"

#include <new>

#include "policy/list_value.h"
#include "registry/cRegistry.h"

namespace sarvell::policy {

using namespace registry;

namespace {

cRegistry At(const std::string& keyPath) {
    cRegistry reg;
    reg.ClassKey(HKeyCurrentUser);
    reg.SectionKey(keyPath);
    return reg;
}

}  // namespace

void SetRegValue(const std::string& keyPath, std::string_view valueName, const std::string& text) {
    cRegistry reg = At(keyPath);
    if (!reg.KeyExists()) reg.CreateKey();
    // The key exists now, or CreateKey has raised. The write is not made to
    // hang on asking again: a second look that failed would skip it without
    // a word, and the command would pass for done.
    reg.ValueType(kRegSz);
    reg.ValueKey(std::string(valueName));
    reg.Value(Variant(text));
}

void DeleteRegValue(const std::string& keyPath, std::string_view valueName) {
    cRegistry reg = At(keyPath);
    reg.ValueKey(std::string(valueName));
    // A key that could not be opened is not always a missing one: unless the
    // value is really absent, the deletion is tried, and raises if it fails.
    Variant value;
    if (reg.KeyExists() || reg.ReadValue(value) != status::FileNotFound) reg.DeleteValue();
}

ListRead ReadListValue(const std::string& keyPath, std::string_view valueName) noexcept {
    ListRead read;
    try {
        cRegistry reg = At(keyPath);
        reg.ValueKey(std::string(valueName));
        Variant value;
        // Read as stored: an expanded text written back would replace the
        // user's "%NAME%" entries with what they expand to.
        const Status s = reg.ReadValue(value, false);
        if (s == status::FileNotFound) return read;
        if (s != status::Success) {
            read.state = ListRead::State::Failed;
            return read;
        }
        read.state = ListRead::State::Present;
        // A multi-string reads as text too, but a string written over it
        // would keep its first entry alone.
        read.isText = reg.ValueType() == kRegSz || reg.ValueType() == kRegExpandSz;
        read.text = ToText(value);
    } catch (const std::bad_alloc&) {  // a read that could not finish is a failed one (it reports the rest)
        read.state = ListRead::State::Failed;
    }
    return read;
}

std::string ListRead::TextOrNone() const {
    return state == State::Present && !text.empty() ? text : std::string(kNone);
}

bool ListRead::Composable() const {
    // A value of another type is not a list that can be extended: writing a
    // string over it would lose what it holds.
    return state == State::Absent || (state == State::Present && isText);
}

std::string GetRegValue(const std::string& keyPath, std::string_view valueName, std::string_view defaultText) noexcept {
    const ListRead read = ReadListValue(keyPath, valueName);
    return read.state == ListRead::State::Present && !read.text.empty() ? read.text : std::string(defaultText);
}

}  // namespace sarvell::policy
