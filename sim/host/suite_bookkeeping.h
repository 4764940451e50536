#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "aegp_suites.h"

namespace simhost {

// The suites the host offers by name and version, which of them a test has withdrawn, and the
// balance of acquisitions and releases of each.
class SuiteBookkeeping {
public:
    using Key = std::pair<std::string, A_long>;

    void offer(const std::string& name, A_long version, const void* table);
    // Offers the suite in no version (version < 0) or not in this one.
    void withdraw(const std::string& name, A_long version);
    // Offers it again as it was built in.
    void restore(const std::string& name, A_long version);

    // The table, or null when the suite is not offered in that version. Counts the acquisition.
    const void* acquire(const std::string& name, A_long version);
    void release(const std::string& name, A_long version);

    struct Balance {
        std::string name;
        A_long version;
        int held;  // acquisitions minus releases
    };
    // Every suite acquired more often than released, or released more often than acquired.
    std::vector<Balance> outstanding() const;
    int acquisitions(const std::string& name, A_long version) const;

private:
    std::map<Key, const void*> offered_;
    std::set<std::string> withdrawnNames_;
    std::set<Key> withdrawn_;
    std::map<Key, int> held_;
    std::map<Key, int> acquisitions_;
};

}  // namespace simhost
