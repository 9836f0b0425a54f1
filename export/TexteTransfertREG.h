#pragma once
// Everything the transfer to REGRESSI reads from the measurements, in one
// place: whether the green cursors hold any point, the series names, and the
// two texts of the REGRESSI file it hands over.
#include "export/RegressiRW3.h"

#include <QStringList>

#include <string>

// No point between the green cursors: nothing to hand over.
bool plageTransfertVide(const TSourceRegressi& source);

// The series names of all curves, concatenated: the same text twice means
// the same series were transferred twice.
std::string entetesTransfert(const TSourceRegressi& source);

// The whole REGRESSI file, and the page that adds the measurements to it.
QStringList texteDocumentREG(const TSourceRegressi& source);
QStringList textePageREG(const TSourceRegressi& source);
