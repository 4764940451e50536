#pragma once

#include <string>

// The few process services the test kit needs, per platform.
namespace testkit {

unsigned long processId();
bool getEnv(const char* name, std::string& value);
void setEnv(const char* name, const std::string& value);
void unsetEnv(const char* name);
std::string binaryDir();

}  // namespace testkit
