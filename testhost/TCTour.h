// The demo's scripted tour: a few steps on the host window, each followed by
// a PNG screenshot into the given folder; the host closes at the end.
#pragma once
#include <string>

void RunTour(const std::wstring& folder);
