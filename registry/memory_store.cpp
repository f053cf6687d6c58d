#include "registry/memory_store.h"

#include <algorithm>

#include "registry/fold_case.h"
#include "registry/host.h"
#include "text/wtf8.h"

namespace sarvell::registry {

namespace {

// Windows names end at their first zero character.
std::string_view UpToZero(std::string_view s) {
    const std::size_t z = s.find('\0');
    return z == std::string_view::npos ? s : s.substr(0, z);
}

std::size_t Utf16Length(std::string_view s) { return text::FromWtf8(s).size(); }

std::vector<std::string_view> SplitPath(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

}  // namespace

MemoryStore::MemoryStore(std::string computerName) : computerName_(std::move(computerName)) {
    for (std::int32_t root : {HKeyClassesRoot, HKeyCurrentUser, HKeyLocalMachine, HKeyUsers, HKeyCurrentConfig}) {
        roots_[RootHandle(root)] = std::make_shared<Key>();
    }
}

MemoryStore::~MemoryStore() = default;

void MemoryStore::FailCall(std::uint64_t n, Status status, bool persistent) {
    failAt_ = calls_ + n;
    failStatus_ = status;
    failPersistent_ = persistent;
}

void MemoryStore::FailWhen(std::function<std::optional<Status>(const CallInfo&)> predicate) {
    predicate_ = std::move(predicate);
}

void MemoryStore::ClearFaults() {
    failAt_ = 0;
    faultFired_ = false;
    predicate_ = nullptr;
}

std::optional<Status> MemoryStore::Fault(Call call, std::string_view name) {
    ++calls_;
    std::optional<Status> injected;
    if (failAt_ != 0 && (failPersistent_ ? calls_ >= failAt_ : calls_ == failAt_)) injected = failStatus_;
    if (!injected && predicate_) injected = predicate_(CallInfo{call, name});
    if (injected) faultFired_ = true;
    return injected;
}

Status MemoryStore::Begin(Call call, Handle handle, std::string_view name, KeyPtr& key) {
    const Status s = Resolve(handle, key);
    if (auto f = Fault(call, name)) return *f;
    return s;
}

Status MemoryStore::Resolve(Handle handle, KeyPtr& key) const {
    if (auto r = roots_.find(handle); r != roots_.end()) {
        key = r->second;
        return status::Success;
    }
    auto h = handles_.find(handle);
    if (h == handles_.end()) return status::InvalidHandle;
    if (h->second->deleted) return status::KeyDeleted;
    key = h->second;
    return status::Success;
}

MemoryStore::Value* MemoryStore::FindValue(Key& key, std::string_view name) {
    for (auto& value : key.values) {
        if (EqualsIgnoreCase(value.name, name)) return &value;
    }
    return nullptr;
}

Status MemoryStore::Walk(Handle root, std::string_view subKey, bool create, KeyPtr& key) {
    KeyPtr at;
    if (Status s = Resolve(root, at); s != status::Success) return s;
    subKey = UpToZero(subKey);
    if (!subKey.empty() && subKey.front() == '\\') return status::BadPathname;
    const auto parts = SplitPath(subKey);
    for (std::string_view part : parts) {
        if (Utf16Length(part) > kMaxKeyNameChars) return status::InvalidParameter;
    }
    for (std::string_view part : parts) {
        KeyPtr next;
        for (const auto& child : at->children) {
            if (EqualsIgnoreCase(child->name, part)) next = child;
        }
        if (!next) {
            if (!create) return status::FileNotFound;
            next = std::make_shared<Key>();
            next->name = std::string(part);
            at->children.push_back(next);
        }
        at = std::move(next);
    }
    key = std::move(at);
    return status::Success;
}

Handle MemoryStore::NewHandle(KeyPtr key) {
    const Handle h = nextHandle_;
    nextHandle_ += 4;
    handles_[h] = std::move(key);
    return h;
}

Status MemoryStore::OpenKey(Handle root, std::string_view subKey, std::uint32_t, Handle& key) {
    key = 0;
    if (auto f = Fault(Call::OpenKey, subKey)) return *f;
    // Below HKEY_CLASSES_ROOT one leading backslash is accepted on open.
    if (root == RootHandle(HKeyClassesRoot) && !subKey.empty() && subKey.front() == '\\') subKey.remove_prefix(1);
    KeyPtr found;
    if (Status s = Walk(root, subKey, false, found); s != status::Success) return s;
    key = NewHandle(std::move(found));
    return status::Success;
}

Status MemoryStore::CreateKey(Handle root, std::string_view subKey, std::uint32_t, Handle& key) {
    key = 0;
    if (auto f = Fault(Call::CreateKey, subKey)) return *f;
    KeyPtr found;
    if (Status s = Walk(root, subKey, true, found); s != status::Success) return s;
    key = NewHandle(std::move(found));
    return status::Success;
}

Status MemoryStore::CloseKey(Handle key) {
    if (roots_.count(key) != 0) return status::Success;
    return handles_.erase(key) != 0 ? status::Success : status::InvalidHandle;
}

Status MemoryStore::DeleteKey(Handle root, std::string_view subKey) {
    if (auto f = Fault(Call::DeleteKey, subKey)) return *f;
    subKey = UpToZero(subKey);
    KeyPtr target;
    if (Status s = Walk(root, subKey, false, target); s != status::Success) return s;
    // The key must be a sub-key of the root given, and childless.
    auto parts = SplitPath(subKey);
    if (parts.empty() || !target->children.empty()) return status::AccessDenied;
    parts.pop_back();
    std::string parentPath;
    for (std::string_view p : parts) parentPath.append(p).append("\\");
    KeyPtr parent;
    if (Status s = Walk(root, parentPath, false, parent); s != status::Success) return s;
    auto& siblings = parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), target), siblings.end());
    target->deleted = true;
    return status::Success;
}

Status MemoryStore::DeleteValue(Handle key, std::string_view name) {
    KeyPtr k;
    if (Status s = Begin(Call::DeleteValue, key, name, k); s != status::Success) return s;
    name = UpToZero(name);
    Value* v = FindValue(*k, name);
    if (v == nullptr) return status::FileNotFound;
    k->values.erase(k->values.begin() + (v - k->values.data()));
    return status::Success;
}

Status MemoryStore::QueryValue(Handle key, std::string_view name, std::uint32_t& type, std::uint8_t* data,
                               std::uint32_t& size) {
    KeyPtr k;
    if (Status s = Begin(Call::QueryValue, key, name, k); s != status::Success) return s;
    const Value* v = FindValue(*k, UpToZero(name));
    if (v == nullptr) return status::FileNotFound;
    type = v->type;
    const auto needed = static_cast<std::uint32_t>(v->data.size());
    if (data != nullptr && size < needed) {
        size = needed;
        return status::MoreData;
    }
    if (data != nullptr && needed != 0) std::copy_n(v->data.data(), needed, data);
    size = needed;
    return status::Success;
}

Status MemoryStore::SetValue(Handle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                             std::uint32_t size) {
    KeyPtr k;
    if (Status s = Begin(Call::SetValue, key, name, k); s != status::Success) return s;
    name = UpToZero(name);
    if (Utf16Length(name) > kMaxValueNameChars) return status::InvalidParameter;
    if (data == nullptr && size != 0) return status::InvalidParameter;
    Value* v = FindValue(*k, name);
    if (v == nullptr) {
        k->values.push_back(Value{std::string(name), 0, {}});
        v = &k->values.back();
    }
    v->type = type;
    v->data.assign(data, data + size);
    return status::Success;
}

Status MemoryStore::QueryInfoKey(Handle key, std::uint32_t& maxValueNameLen) {
    KeyPtr k;
    if (Status s = Begin(Call::QueryInfoKey, key, {}, k); s != status::Success) return s;
    maxValueNameLen = 0;
    for (const auto& v : k->values) {
        maxValueNameLen = std::max(maxValueNameLen, static_cast<std::uint32_t>(Utf16Length(v.name)));
    }
    return status::Success;
}

Status MemoryStore::EnumValue(Handle key, std::uint32_t index, std::uint32_t capacity, std::string& name) {
    KeyPtr k;
    if (Status s = Begin(Call::EnumValue, key, {}, k); s != status::Success) return s;
    if (index >= k->values.size()) return status::NoMoreItems;
    const std::string& n = k->values[index].name;
    if (Utf16Length(n) + 1 > capacity) return status::MoreData;
    name = n;
    return status::Success;
}

Status MemoryStore::EnumKey(Handle key, std::uint32_t index, std::uint32_t capacity, std::string& name) {
    KeyPtr k;
    if (Status s = Begin(Call::EnumKey, key, {}, k); s != status::Success) return s;
    if (index >= k->children.size()) return status::NoMoreItems;
    const std::string& n = k->children[index]->name;
    if (Utf16Length(n) + 1 > capacity) return status::MoreData;
    name = n;
    return status::Success;
}

Status MemoryStore::ConnectRegistry(std::string_view machine, Handle root, Handle& remote) {
    remote = 0;
    if (auto f = Fault(Call::ConnectRegistry, machine)) return *f;
    machine = UpToZero(machine);
    if (machine.substr(0, 2) == "\\\\") machine.remove_prefix(2);
    // There is no network behind the store: only this computer answers.
    if (!machine.empty() && !EqualsIgnoreCase(machine, computerName_)) return status::BadNetPath;
    // This computer hands back the predefined root itself.
    if (roots_.count(root) == 0) return status::InvalidHandle;
    remote = root;
    return status::Success;
}

std::optional<std::string> MemoryStore::ExpandEnvironment(std::string_view text) {
    if (Fault(Call::ExpandEnvironment, text)) return std::nullopt;
    text = UpToZero(text);
    std::string out;
    for (std::size_t i = 0; i != text.size();) {
        const std::size_t open = text.find('%', i);
        const std::size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
        if (close == std::string_view::npos) {
            out.append(text.substr(i));
            break;
        }
        out.append(text.substr(i, open - i));
        // An unknown reference stays as written, both its signs with it.
        const auto value = host::EnvironmentVariable(std::string(text.substr(open + 1, close - open - 1)));
        out += value ? *value : std::string(text.substr(open, close - open + 1));
        i = close + 1;
    }
    return out;
}

}  // namespace sarvell::registry
