#pragma once

// pugixml as this project builds it, in its compact mode (cmake/SkeldaDeps.cmake): its interface
// is declared a little differently there, so every user includes it through here.
#ifndef PUGIXML_COMPACT
#define PUGIXML_COMPACT
#endif
#include <pugixml.hpp>
