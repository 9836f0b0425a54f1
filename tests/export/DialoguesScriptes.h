#pragma once
// The save commands' questions answered from a script, and what was asked
// recorded.
#include "export/CommandeEnregistrementRW3.h"

#include <QList>
#include <QStringList>

class DialoguesScriptes : public TDialoguesEnregistrement {
public:
    QString demandeNomFichier(const QString& filtre, const QString& titre, const QString& nomPropose) override
    {
        filtres << filtre;
        titres << titre;
        proposes << nomPropose;
        return reponseNom;
    }
    bool demandeOuiNon(const QString& question) override
    {
        questions << question;
        return reponseOui;
    }
    void information(const QString& texte) override { informations << texte; }
    void avertissement(const QString& texte) override { avertissements << texte; }
    void curseurAttente(bool attente) override { attentes << attente; }

    QString reponseNom;
    bool reponseOui = true;
    QStringList filtres, titres, proposes, questions, informations, avertissements;
    QList<bool> attentes;
};
