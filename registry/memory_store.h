// An in-process registry: keys whose names compare case-insensitively and
// keep their case, typed values, and the statuses Windows answers with. It is
// the store where there is no Windows registry, and the tool for tests that
// make platform calls fail.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "registry/host.h"
#include "registry/platform.h"

namespace sarvell::registry {

enum class Call : std::uint8_t {
    OpenKey,
    CreateKey,
    DeleteKey,
    DeleteValue,
    QueryValue,
    SetValue,
    QueryInfoKey,
    EnumValue,
    EnumKey,
    ConnectRegistry,
    ExpandEnvironment,
};

// What a fault predicate sees of a call.
struct CallInfo {
    Call call;
    std::string_view name;  // value name, sub-key path or text the call was given
};

class MemoryStore final : public Platform {
public:
    // `computerName` is the name ConnectRegistry accepts as this computer.
    explicit MemoryStore(std::string computerName = host::ComputerName());
    ~MemoryStore() override;

    Status OpenKey(Handle root, std::string_view subKey, std::uint32_t access, Handle& key) override;
    Status CreateKey(Handle root, std::string_view subKey, std::uint32_t access, Handle& key) override;
    Status CloseKey(Handle key) override;
    Status DeleteKey(Handle root, std::string_view subKey) override;
    Status DeleteValue(Handle key, std::string_view name) override;
    Status QueryValue(Handle key, std::string_view name, std::uint32_t& type, std::uint8_t* data,
                      std::uint32_t& size) override;
    Status SetValue(Handle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) override;
    Status QueryInfoKey(Handle key, std::uint32_t& maxValueNameLen) override;
    Status EnumValue(Handle key, std::uint32_t index, std::uint32_t capacity, std::string& name) override;
    Status EnumKey(Handle key, std::uint32_t index, std::uint32_t capacity, std::string& name) override;
    Status ConnectRegistry(std::string_view machine, Handle root, Handle& remote) override;
    std::optional<std::string> ExpandEnvironment(std::string_view text) override;

    // Fault injection. Close is never failed: Windows does not fail closing
    // a valid handle. A failed ExpandEnvironment answers nullopt.
    // Fail call number `n` counted from now (1 = the next call); with
    // `persistent`, that call and every later one.
    void FailCall(std::uint64_t n, Status status, bool persistent = false);
    // Fail every call for which the predicate answers a status.
    void FailWhen(std::function<std::optional<Status>(const CallInfo&)> predicate);
    void ClearFaults();
    // Whether an injected fault answered a call since the last ClearFaults.
    bool FaultFired() const { return faultFired_; }

    std::size_t OpenHandles() const { return handles_.size(); }

private:
    struct Value {
        std::string name;
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
    };
    struct Key {
        std::string name;
        std::vector<std::shared_ptr<Key>> children;
        std::vector<Value> values;
        bool deleted = false;
    };
    using KeyPtr = std::shared_ptr<Key>;

    std::optional<Status> Fault(Call call, std::string_view name);
    // The key a handle refers to, or a status when it refers to none.
    Status Resolve(Handle handle, KeyPtr& key) const;
    // Counts a call on a handle: its injected fault, or the handle's status.
    Status Begin(Call call, Handle handle, std::string_view name, KeyPtr& key);
    Status Walk(Handle root, std::string_view subKey, bool create, KeyPtr& key);
    Handle NewHandle(KeyPtr key);
    static Value* FindValue(Key& key, std::string_view name);

    std::string computerName_;
    std::map<Handle, KeyPtr> roots_;
    std::unordered_map<Handle, KeyPtr> handles_;
    Handle nextHandle_ = 0x100;

    std::uint64_t calls_ = 0;
    std::uint64_t failAt_ = 0;
    bool failPersistent_ = false;
    Status failStatus_ = 0;
    bool faultFired_ = false;
    std::function<std::optional<Status>(const CallInfo&)> predicate_;
};

}  // namespace sarvell::registry
