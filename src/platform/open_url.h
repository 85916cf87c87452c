#pragma once
#include <string>

// Hands an address (web page, mailto:, file://) to the desktop's handler (xdg-open) without
// waiting for it. False, with one line on standard error, when there is no handler to ask.
bool OpenUrl(const std::string& address);
