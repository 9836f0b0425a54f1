#pragma once
// The part of FTDI's D2XX interface that the V6 link uses: the types, status
// codes and flags, and the twelve entry points resolved by name, written from
// FTDI's published programmer's guide. The driver calls through it and the
// simulated V6 bridge implements it, both from this one description.
//
// On Linux D2XX the Windows-style DWORD and ULONG are 32 bits wide, as on
// Windows. The names live in their own namespace so that they never meet the
// Windows headers' own.
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define GALVORA_D2XX_APPEL __stdcall
#else
#define GALVORA_D2XX_APPEL
#endif

namespace d2xx {

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

// The entry points, C linkage: PFT_x is the type of FT_x.
extern "C" {
using PFT_OpenEx = FT_STATUS(GALVORA_D2XX_APPEL*)(PVOID pArg1, DWORD Flags, FT_HANDLE* pHandle);
using PFT_Close = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE ftHandle);
using PFT_Read = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToRead,
                                               LPDWORD lpdwBytesReturned);
using PFT_Write = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToWrite,
                                                LPDWORD lpdwBytesWritten);
using PFT_SetBaudRate = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE ftHandle, ULONG BaudRate);
using PFT_SetDataCharacteristics = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE ftHandle, UCHAR WordLength,
                                                                 UCHAR StopBits, UCHAR Parity);
using PFT_SetFlowControl = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE ftHandle, USHORT FlowControl, UCHAR XonChar,
                                                         UCHAR XoffChar);
using PFT_SetRts = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE ftHandle);
using PFT_SetChars = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE ftHandle, UCHAR EventChar, UCHAR EventCharEnabled,
                                                   UCHAR ErrorChar, UCHAR ErrorCharEnabled);
using PFT_Purge = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE ftHandle, ULONG Mask);
using PFT_SetTimeouts = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE ftHandle, ULONG ReadTimeout, ULONG WriteTimeout);
using PFT_GetQueueStatus = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE ftHandle, DWORD* dwRxBytes);
}

} // namespace d2xx

// X(x) for each entry point the V6 link resolves: its name is "FT_" x, its
// type d2xx::PFT_##x.
#define D2XX_ENTREES(X)                                                                          \
    X(OpenEx) X(Close) X(Read) X(Write) X(SetBaudRate) X(SetDataCharacteristics)                 \
    X(SetFlowControl) X(SetRts) X(SetChars) X(Purge) X(SetTimeouts) X(GetQueueStatus)
