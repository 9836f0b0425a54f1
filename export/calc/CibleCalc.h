#pragma once
// Where a transfer puts its values: a new document or a new sheet of the
// document made last, and the name of that new sheet.
#include <string>
#include <vector>

enum class TCibleCalc { nouveauClasseur, nouvelleFeuille, demander };

// optionTransfertOOo: 0 a new document, 1 a new sheet, 3 ask each time; any
// other value acts as 0. The first connection of the program's life always
// gives a new document, and so does a previous document no longer open.
TCibleCalc cibleTransfertCalc(int optionTransfertOOo, bool nouvelleConnexion, bool documentPrecedentOuvert);

// "Transfert" followed by the transfer number, made different from every
// name of `existants` (compared in upper case) by a lower-case letter suffix
// after the number: a, b, ... z, aa, ...
std::string nomNouvelleFeuille(int numTransfert, const std::vector<std::string>& existants);
