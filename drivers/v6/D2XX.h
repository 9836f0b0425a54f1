#pragma once
// The few D2XX types, status codes and flags the V6 link uses, written from
// FTDI's published programmer's guide. On Linux D2XX the Windows-style DWORD
// and ULONG are 32 bits wide, as on Windows.
#include <cstdint>

namespace d2xx {

#if defined(_WIN32) && !defined(_WIN64)
#define GALVORA_D2XX_APPEL __stdcall
#else
#define GALVORA_D2XX_APPEL
#endif

using DWORD = uint32_t;
using ULONG = uint32_t;
using USHORT = uint16_t;
using UCHAR = uint8_t;
using FT_HANDLE = void*;
using FT_STATUS = ULONG;

inline constexpr FT_STATUS FT_OK = 0;
inline constexpr FT_STATUS FT_INVALID_HANDLE = 1;
inline constexpr FT_STATUS FT_IO_ERROR = 4;

inline constexpr DWORD FT_OPEN_BY_DESCRIPTION = 2;
inline constexpr UCHAR FT_BITS_8 = 8;
inline constexpr UCHAR FT_STOP_BITS_1 = 0;
inline constexpr UCHAR FT_PARITY_NONE = 0;
inline constexpr USHORT FT_FLOW_RTS_CTS = 0x0100;
inline constexpr ULONG FT_PURGE_RX = 1;
inline constexpr ULONG FT_PURGE_TX = 2;

using PFT_OpenEx = FT_STATUS(GALVORA_D2XX_APPEL*)(void*, DWORD, FT_HANDLE*);
using PFT_Close = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE);
using PFT_Read = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE, void*, DWORD, DWORD*);
using PFT_Write = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE, void*, DWORD, DWORD*);
using PFT_SetBaudRate = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE, ULONG);
using PFT_SetDataCharacteristics = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE, UCHAR, UCHAR, UCHAR);
using PFT_SetFlowControl = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE, USHORT, UCHAR, UCHAR);
using PFT_SetRts = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE);
using PFT_SetChars = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE, UCHAR, UCHAR, UCHAR, UCHAR);
using PFT_Purge = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE, ULONG);
using PFT_SetTimeouts = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE, ULONG, ULONG);
using PFT_GetQueueStatus = FT_STATUS(GALVORA_D2XX_APPEL*)(FT_HANDLE, DWORD*);

} // namespace d2xx
