#pragma once

#include <exception>
#include <string>

#include "ae_types.h"
#include "host/ae_exception.h"

// Shows "Error while <action>." to the user through the host and returns the host's error code.
A_Err ReportHostError(const AE_Exception& error);

// Shows "Exception: " and the exception's text to the user through the host and returns 1.
A_Err ReportException(const std::exception& error);

// Shows the text to the user in the host's message area.
void reportMessage(const std::string& text);
