// Conventions shared by the three plug-in interfaces.
//
// A plug-in is a DLL that exports one function, "_GetInstance", taking no
// arguments and returning a pointer to an object that the DLL owns. The host
// uses the object only through the virtual functions of one of the abstract
// classes in this folder. The entries of each table are the virtual functions
// in declaration order, so the order in the headers is the binary contract:
// never reorder, insert or remove a function.
//
// The host and every plug-in are built by one toolchain (MinGW-w64 g++), so
// vtable layout and the member calling convention agree on both targets.
// Only int32 results, plain pointers and fixed-width records cross the
// boundary: no exceptions, no standard library types, no allocation that the
// other side frees.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#define QUOREL_STDCALL __stdcall
#define QUOREL_EXPORT extern "C" __declspec(dllexport)
#else
#define QUOREL_STDCALL
#define QUOREL_EXPORT extern "C"
#endif

// A window handle (HWND) carried across the boundary without windows.h.
using WindowHandle = void*;

// Name of each plug-in's only export.
constexpr const char* kGetInstanceExport = "_GetInstance";
