// The framework's exceptions: plain C++ exceptions. None may leave a window
// procedure (the dispatcher stops them) or an exported function.
#pragma once

#include <exception>

class CException : public std::exception
{
public:
    const char* what() const noexcept override { return "framework exception"; }
};

// A system resource (a window class, a GDI object) could not be made.
class CResourceException : public CException
{
public:
    const char* what() const noexcept override { return "resource not available"; }
};

[[noreturn]] inline void AfxThrowResourceException()
{
    throw CResourceException();
}
