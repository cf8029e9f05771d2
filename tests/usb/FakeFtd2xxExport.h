#pragma once
// How the stand-in D2XX libraries export their functions: C names with the vendor
// library's calling convention (WINAPI, that is __stdcall, on Windows).

#if defined(_WIN32)
#define FAKE_D2XX_EXPORT extern "C" __declspec(dllexport)
#define FAKE_D2XX_CALL __stdcall
#else
#define FAKE_D2XX_EXPORT extern "C" __attribute__((visibility("default")))
#define FAKE_D2XX_CALL
#endif
