#pragma once
// The guides of the three transfer pages of the options: what each choice
// does, and what the transfer does on this system.
#include <QString>

namespace gv {

QString guideTransfertREGRESSI();
QString guideTransfertEXCEL();
QString guideTransfertCalc();

} // namespace gv
