#pragma once
// A scripted stand-in for the D2XX library, for the protocol tests: it
// exports the twelve entry points the V6 driver resolves, and test entry
// points that feed its receive queue and read back what the driver wrote.
// Everything happens in the caller's thread, so a script is deterministic.
#include <cstdint>

#define FAUX_D2XX_EXPORTE extern "C" __attribute__((visibility("default")))

// Device present, echo on, queues, script and journal empty.
FAUX_D2XX_EXPORTE void FauxD2XX_Reinitialise();
// 0: FT_OpenEx finds no device.
FAUX_D2XX_EXPORTE void FauxD2XX_Branche(int32_t branche);
// Echo each written byte (1) or not (0).
FAUX_D2XX_EXPORTE void FauxD2XX_Echo(int32_t actif);
// Echo only the next `nombre` written bytes, then stop echoing.
FAUX_D2XX_EXPORTE void FauxD2XX_EchoLimite(int32_t nombre);
// Bytes put into the receive queue at once.
FAUX_D2XX_EXPORTE void FauxD2XX_AjouteEntree(const char* octets, int32_t nombre);
// Script step: when the bytes written so far end with `declencheur`, `octets`
// are queued after the echo. Steps fire one after the other, in order.
FAUX_D2XX_EXPORTE void FauxD2XX_Reponse(const char* declencheur, int32_t nbDeclencheur, const char* octets,
                                        int32_t nombre);
// Copies the bytes written since the reset; returns their count.
FAUX_D2XX_EXPORTE int32_t FauxD2XX_Ecrits(char* tampon, int32_t taille);
// Bytes still in the receive queue.
FAUX_D2XX_EXPORTE int32_t FauxD2XX_EnAttente();
// The configuration calls, as text ("OpenEx(Sysam-V6,2);SetBaudRate(1250000);...").
FAUX_D2XX_EXPORTE int32_t FauxD2XX_Journal(char* tampon, int32_t taille);
// The next `nombre` writes fail with `statut` and write nothing.
FAUX_D2XX_EXPORTE void FauxD2XX_ErreursEcriture(uint32_t statut, int32_t nombre);

using PtrFauxD2XX_Reinitialise = void (*)();
using PtrFauxD2XX_Branche = void (*)(int32_t);
using PtrFauxD2XX_Echo = void (*)(int32_t);
using PtrFauxD2XX_EchoLimite = void (*)(int32_t);
using PtrFauxD2XX_AjouteEntree = void (*)(const char*, int32_t);
using PtrFauxD2XX_Reponse = void (*)(const char*, int32_t, const char*, int32_t);
using PtrFauxD2XX_Ecrits = int32_t (*)(char*, int32_t);
using PtrFauxD2XX_EnAttente = int32_t (*)();
using PtrFauxD2XX_Journal = int32_t (*)(char*, int32_t);
using PtrFauxD2XX_ErreursEcriture = void (*)(uint32_t, int32_t);
