// The D2XX entry points of the simulated V6 bridge, as drivers/v6/D2XX.h
// declares them: each one hands its call to the bridge.
#include "drivers/v6/D2XX.h"
#include "simulators/v6/PontUsbV6.h"

#include <type_traits>

#if defined(_WIN32)
#define D2XX_EXPORTE __declspec(dllexport)
#else
#define D2XX_EXPORTE __attribute__((visibility("default")))
#endif
#define D2XX_APPEL GALVORA_D2XX_APPEL

using namespace d2xx;

extern "C" {

D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_OpenEx(PVOID pArg1, DWORD Flags, FT_HANDLE* pHandle)
{
    return PontUsbV6::instance().ouvre(pArg1, Flags, pHandle);
}

D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_Close(FT_HANDLE ftHandle)
{
    return PontUsbV6::instance().ferme(ftHandle);
}

D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_Read(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToRead, LPDWORD lpdwBytesReturned)
{
    return PontUsbV6::instance().lit(ftHandle, lpBuffer, dwBytesToRead, lpdwBytesReturned);
}

D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_Write(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToWrite, LPDWORD lpdwBytesWritten)
{
    return PontUsbV6::instance().ecrit(ftHandle, lpBuffer, dwBytesToWrite, lpdwBytesWritten);
}

D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_SetBaudRate(FT_HANDLE ftHandle, ULONG BaudRate)
{
    return PontUsbV6::instance().regleVitesse(ftHandle, BaudRate);
}

D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_SetDataCharacteristics(FT_HANDLE ftHandle, UCHAR WordLength, UCHAR StopBits, UCHAR Parity)
{
    return PontUsbV6::instance().regleFormat(ftHandle, WordLength, StopBits, Parity);
}

D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_SetFlowControl(FT_HANDLE ftHandle, USHORT FlowControl, UCHAR, UCHAR)
{
    return PontUsbV6::instance().regleControleFlux(ftHandle, FlowControl);
}

D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_SetRts(FT_HANDLE ftHandle)
{
    return PontUsbV6::instance().leveRts(ftHandle);
}

D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_SetChars(FT_HANDLE ftHandle, UCHAR, UCHAR, UCHAR, UCHAR)
{
    return PontUsbV6::instance().regleCaracteres(ftHandle);
}

D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_Purge(FT_HANDLE ftHandle, ULONG Mask)
{
    return PontUsbV6::instance().purge(ftHandle, Mask);
}

D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_SetTimeouts(FT_HANDLE ftHandle, ULONG ReadTimeout, ULONG WriteTimeout)
{
    return PontUsbV6::instance().regleDelais(ftHandle, ReadTimeout, WriteTimeout);
}

D2XX_EXPORTE FT_STATUS D2XX_APPEL FT_GetQueueStatus(FT_HANDLE ftHandle, DWORD* dwRxBytes)
{
    return PontUsbV6::instance().etatFile(ftHandle, dwRxBytes);
}

} // extern "C"

// Each definition has exactly the type the driver resolves it as.
#define D2XX_MEME_TYPE(x) \
    static_assert(std::is_same_v<decltype(&FT_##x), PFT_##x>, "FT_" #x " differs from its declared type");
D2XX_ENTREES(D2XX_MEME_TYPE)
#undef D2XX_MEME_TYPE
