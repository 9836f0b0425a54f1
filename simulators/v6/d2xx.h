#pragma once
// The part of FTDI's D2XX interface that the simulated V6 bridge offers: the
// types, status codes and flags of the published interface, and the twelve
// entry points the V6 driver resolves by name. Values and signatures follow
// FTDI's D2XX programmer's guide; this is our own header for our own library.
#include <cstdint>

#if defined(_WIN32)
#define D2XX_APPEL __stdcall
#define D2XX_EXPORTE __declspec(dllexport)
#else
#define D2XX_APPEL
#define D2XX_EXPORTE __attribute__((visibility("default")))
#endif

// D2XX's Windows-style scalar types; on Linux D2XX they are 32 bits wide too.
using DWORD = uint32_t;
using ULONG = uint32_t;
using USHORT = uint16_t;
using UCHAR = uint8_t;
using PVOID = void*;
using LPVOID = void*;
using LPDWORD = DWORD*;

using FT_HANDLE = void*;
using FT_STATUS = ULONG;

// Status codes.
inline constexpr FT_STATUS FT_OK = 0;
inline constexpr FT_STATUS FT_INVALID_HANDLE = 1;
inline constexpr FT_STATUS FT_DEVICE_NOT_FOUND = 2;
inline constexpr FT_STATUS FT_DEVICE_NOT_OPENED = 3;
inline constexpr FT_STATUS FT_IO_ERROR = 4;
inline constexpr FT_STATUS FT_INSUFFICIENT_RESOURCES = 5;
inline constexpr FT_STATUS FT_INVALID_PARAMETER = 6;
inline constexpr FT_STATUS FT_INVALID_BAUD_RATE = 7;
inline constexpr FT_STATUS FT_NOT_SUPPORTED = 17;
inline constexpr FT_STATUS FT_OTHER_ERROR = 18;

// FT_OpenEx flags.
inline constexpr DWORD FT_OPEN_BY_SERIAL_NUMBER = 1;
inline constexpr DWORD FT_OPEN_BY_DESCRIPTION = 2;
inline constexpr DWORD FT_OPEN_BY_LOCATION = 4;

// FT_SetDataCharacteristics.
inline constexpr UCHAR FT_BITS_8 = 8;
inline constexpr UCHAR FT_BITS_7 = 7;
inline constexpr UCHAR FT_STOP_BITS_1 = 0;
inline constexpr UCHAR FT_STOP_BITS_2 = 2;
inline constexpr UCHAR FT_PARITY_NONE = 0;
inline constexpr UCHAR FT_PARITY_ODD = 1;
inline constexpr UCHAR FT_PARITY_EVEN = 2;
inline constexpr UCHAR FT_PARITY_MARK = 3;
inline constexpr UCHAR FT_PARITY_SPACE = 4;

// FT_SetFlowControl.
inline constexpr USHORT FT_FLOW_NONE = 0x0000;
inline constexpr USHORT FT_FLOW_RTS_CTS = 0x0100;
inline constexpr USHORT FT_FLOW_DTR_DSR = 0x0200;
inline constexpr USHORT FT_FLOW_XON_XOFF = 0x0400;

// FT_Purge.
inline constexpr ULONG FT_PURGE_RX = 1;
inline constexpr ULONG FT_PURGE_TX = 2;

extern "C" {
D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_OpenEx(PVOID pArg1, DWORD Flags, FT_HANDLE* pHandle);
D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_Close(FT_HANDLE ftHandle);
D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_Read(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToRead,
                                          LPDWORD lpdwBytesReturned);
D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_Write(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToWrite,
                                           LPDWORD lpdwBytesWritten);
D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_SetBaudRate(FT_HANDLE ftHandle, ULONG BaudRate);
D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_SetDataCharacteristics(FT_HANDLE ftHandle, UCHAR WordLength,
                                                            UCHAR StopBits, UCHAR Parity);
D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_SetFlowControl(FT_HANDLE ftHandle, USHORT FlowControl, UCHAR XonChar,
                                                    UCHAR XoffChar);
D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_SetRts(FT_HANDLE ftHandle);
D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_SetChars(FT_HANDLE ftHandle, UCHAR EventChar, UCHAR EventCharEnabled,
                                              UCHAR ErrorChar, UCHAR ErrorCharEnabled);
D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_Purge(FT_HANDLE ftHandle, ULONG Mask);
D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_SetTimeouts(FT_HANDLE ftHandle, ULONG ReadTimeout, ULONG WriteTimeout);
D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_GetQueueStatus(FT_HANDLE ftHandle, DWORD* dwRxBytes);
}

// The same entry points as pointer types, for callers that load the library
// at run time.
using PtrFT_OpenEx = FT_STATUS(D2XX_APPEL*)(PVOID, DWORD, FT_HANDLE*);
using PtrFT_Close = FT_STATUS(D2XX_APPEL*)(FT_HANDLE);
using PtrFT_Read = FT_STATUS(D2XX_APPEL*)(FT_HANDLE, LPVOID, DWORD, LPDWORD);
using PtrFT_Write = FT_STATUS(D2XX_APPEL*)(FT_HANDLE, LPVOID, DWORD, LPDWORD);
using PtrFT_SetBaudRate = FT_STATUS(D2XX_APPEL*)(FT_HANDLE, ULONG);
using PtrFT_SetDataCharacteristics = FT_STATUS(D2XX_APPEL*)(FT_HANDLE, UCHAR, UCHAR, UCHAR);
using PtrFT_SetFlowControl = FT_STATUS(D2XX_APPEL*)(FT_HANDLE, USHORT, UCHAR, UCHAR);
using PtrFT_SetRts = FT_STATUS(D2XX_APPEL*)(FT_HANDLE);
using PtrFT_SetChars = FT_STATUS(D2XX_APPEL*)(FT_HANDLE, UCHAR, UCHAR, UCHAR, UCHAR);
using PtrFT_Purge = FT_STATUS(D2XX_APPEL*)(FT_HANDLE, ULONG);
using PtrFT_SetTimeouts = FT_STATUS(D2XX_APPEL*)(FT_HANDLE, ULONG, ULONG);
using PtrFT_GetQueueStatus = FT_STATUS(D2XX_APPEL*)(FT_HANDLE, DWORD*);
