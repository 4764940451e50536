#include "sim/host/suite_bookkeeping.h"

namespace simhost {

void SuiteBookkeeping::offer(const std::string& name, A_long version, const void* table) {
    offered_[{name, version}] = table;
}

void SuiteBookkeeping::withdraw(const std::string& name, A_long version) {
    if (version < 0)
        withdrawnNames_.insert(name);
    else
        withdrawn_.insert({name, version});
}

void SuiteBookkeeping::restore(const std::string& name, A_long version) {
    if (version < 0) {
        withdrawnNames_.erase(name);
        for (auto it = withdrawn_.begin(); it != withdrawn_.end();)
            it = it->first == name ? withdrawn_.erase(it) : ++it;
    } else {
        withdrawn_.erase({name, version});
    }
}

const void* SuiteBookkeeping::acquire(const std::string& name, A_long version) {
    const Key key{name, version};
    if (withdrawnNames_.count(name) != 0 || withdrawn_.count(key) != 0) return nullptr;
    auto found = offered_.find(key);
    if (found == offered_.end()) return nullptr;
    ++held_[key];
    ++acquisitions_[key];
    return found->second;
}

void SuiteBookkeeping::release(const std::string& name, A_long version) {
    --held_[{name, version}];
}

std::vector<SuiteBookkeeping::Balance> SuiteBookkeeping::outstanding() const {
    std::vector<Balance> result;
    for (const auto& [key, held] : held_) {
        if (held != 0) result.push_back({key.first, key.second, held});
    }
    return result;
}

int SuiteBookkeeping::acquisitions(const std::string& name, A_long version) const {
    auto found = acquisitions_.find({name, version});
    return found == acquisitions_.end() ? 0 : found->second;
}

}  // namespace simhost
