#pragma once

#include "message/xml_records.h"

// While it lives, reads go through pugixml's interface, as with a library whose records lie otherwise.
class ThroughInterface {
public:
    ThroughInterface() { xml::detail::readRecords(false); }
    ~ThroughInterface() { xml::detail::readRecords(true); }
    ThroughInterface(const ThroughInterface&) = delete;
    ThroughInterface& operator=(const ThroughInterface&) = delete;
};
