// The D2XX entry points of the simulated V6 bridge: each one hands its call to
// the bridge.
#include "simulators/v6/PontUsbV6.h"
#include "simulators/v6/d2xx.h"

extern "C" {

FT_STATUS D2XX_APPEL FT_OpenEx(PVOID pArg1, DWORD Flags, FT_HANDLE* pHandle)
{
    return PontUsbV6::instance().ouvre(pArg1, Flags, pHandle);
}

FT_STATUS D2XX_APPEL FT_Close(FT_HANDLE ftHandle)
{
    return PontUsbV6::instance().ferme(ftHandle);
}

FT_STATUS D2XX_APPEL FT_Read(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToRead, LPDWORD lpdwBytesReturned)
{
    return PontUsbV6::instance().lit(ftHandle, lpBuffer, dwBytesToRead, lpdwBytesReturned);
}

FT_STATUS D2XX_APPEL FT_Write(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToWrite, LPDWORD lpdwBytesWritten)
{
    return PontUsbV6::instance().ecrit(ftHandle, lpBuffer, dwBytesToWrite, lpdwBytesWritten);
}

FT_STATUS D2XX_APPEL FT_SetBaudRate(FT_HANDLE ftHandle, ULONG BaudRate)
{
    return PontUsbV6::instance().regleVitesse(ftHandle, BaudRate);
}

FT_STATUS D2XX_APPEL FT_SetDataCharacteristics(FT_HANDLE ftHandle, UCHAR WordLength, UCHAR StopBits, UCHAR Parity)
{
    return PontUsbV6::instance().regleFormat(ftHandle, WordLength, StopBits, Parity);
}

FT_STATUS D2XX_APPEL FT_SetFlowControl(FT_HANDLE ftHandle, USHORT FlowControl, UCHAR, UCHAR)
{
    return PontUsbV6::instance().regleControleFlux(ftHandle, FlowControl);
}

FT_STATUS D2XX_APPEL FT_SetRts(FT_HANDLE ftHandle)
{
    return PontUsbV6::instance().leveRts(ftHandle);
}

FT_STATUS D2XX_APPEL FT_SetChars(FT_HANDLE ftHandle, UCHAR, UCHAR, UCHAR, UCHAR)
{
    return PontUsbV6::instance().regleCaracteres(ftHandle);
}

FT_STATUS D2XX_APPEL FT_Purge(FT_HANDLE ftHandle, ULONG Mask)
{
    return PontUsbV6::instance().purge(ftHandle, Mask);
}

FT_STATUS D2XX_APPEL FT_SetTimeouts(FT_HANDLE ftHandle, ULONG ReadTimeout, ULONG WriteTimeout)
{
    return PontUsbV6::instance().regleDelais(ftHandle, ReadTimeout, WriteTimeout);
}

FT_STATUS D2XX_APPEL FT_GetQueueStatus(FT_HANDLE ftHandle, DWORD* dwRxBytes)
{
    return PontUsbV6::instance().etatFile(ftHandle, dwRxBytes);
}

} // extern "C"
