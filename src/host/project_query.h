#pragma once

// True when the host has at least one open project.
bool IsProjectOpen();
