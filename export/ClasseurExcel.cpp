#include "export/ClasseurExcel.h"

#include "model/UniteBaseChaines.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QRandomGenerator>

#include <xlsxwriter.h>

#include <cmath>
#include <filesystem>
#include <system_error>

namespace {

// The colours of the Excel transfer: RGB(149, 201, 255) for the two lines of
// description, RGB(255, 245, 199) for the names and units.
const lxw_color_t couleurDescription = 0x95C9FF;
const lxw_color_t couleurEntetes = 0xFFF5C7;
const int nbColonnesDescription = 6; // A to F
// The part of a name shown as a subscript: from its second character, 100 long.
const int longueurIndice = 100;

QString texteErreur(lxw_error e)
{
    return QString::fromUtf8(lxw_strerror(e));
}

QByteArray utf8(const QString& texte)
{
    return texte.toUtf8();
}

} // namespace

QString nomFeuilleValide(const QString& souhaite, const QStringList& existants)
{
    QString base = souhaite;
    for (const QChar interdit : {u'[', u']', u':', u'*', u'?', u'/', u'\\'})
        base.replace(interdit, QLatin1Char('-'));
    // An apostrophe may not begin nor end a name.
    while (base.startsWith(QLatin1Char('\'')))
        base.remove(0, 1);
    while (base.endsWith(QLatin1Char('\'')))
        base.chop(1);
    if (base.trimmed().isEmpty())
        base = QStringLiteral("Mesures");
    const auto pris = [&](const QString& nom) { return existants.contains(nom, Qt::CaseInsensitive); };
    QString nom = base.left(kLongueurMaxNomFeuille);
    for (int n = 2; pris(nom); ++n) {
        const QString suffixe = QStringLiteral(" (%1)").arg(n);
        nom = base.left(kLongueurMaxNomFeuille - suffixe.size()) + suffixe;
    }
    return nom;
}

struct TClasseurExcel::TPrive {
    QString chemin;
    QString temporaire; // the workbook being written, beside `chemin`
    bool enPlace = false;
    lxw_workbook* classeur = nullptr;
    lxw_worksheet* feuille = nullptr;
    lxw_format* description = nullptr;
    lxw_format* entete = nullptr;
    lxw_format* gras = nullptr;
    lxw_format* indice = nullptr;
    lxw_row_t rang = 0;
    bool echec = false;

    void ecritNom(lxw_col_t colonne, const QString& nom);
};

TClasseurExcel::TClasseurExcel(QString chemin) : d_(std::make_unique<TPrive>())
{
    d_->chemin = std::move(chemin);
}

TClasseurExcel::~TClasseurExcel()
{
    // Abandoned before ferme(): the library's own temporary files go, the
    // partial workbook (the temporary file) is removed with it.
    if (d_->classeur != nullptr) {
        workbook_close(d_->classeur);
        d_->classeur = nullptr;
    }
    if (!d_->temporaire.isEmpty() && !d_->enPlace)
        QFile::remove(d_->temporaire);
}

bool TClasseurExcel::ouvre()
{
    // Created as any new file of the user (QTemporaryFile would keep it
    // private to its owner once renamed), under a name no one else uses.
    const QFileInfo cible(d_->chemin);
    QFile fichier;
    for (int essai = 0; essai < 100 && d_->temporaire.isEmpty(); ++essai) {
        fichier.setFileName(cible.absolutePath() + QStringLiteral("/.~") + cible.completeBaseName()
                            + QStringLiteral("-%1.xlsx").arg(QRandomGenerator::global()->generate(), 8, 16,
                                                             QLatin1Char('0')));
        if (fichier.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            d_->temporaire = fichier.fileName();
        else if (!fichier.exists())
            break;
    }
    if (d_->temporaire.isEmpty()) {
        erreur_ = fichier.errorString();
        return false;
    }
    fichier.close();
    lxw_workbook_options options {};
    options.constant_memory = LXW_TRUE;
    d_->classeur = workbook_new_opt(QFile::encodeName(d_->temporaire).constData(), &options);
    if (d_->classeur == nullptr) {
        erreur_ = QStringLiteral("Mémoire insuffisante");
        return false;
    }
    d_->description = workbook_add_format(d_->classeur);
    format_set_bold(d_->description);
    format_set_bg_color(d_->description, couleurDescription);
    d_->entete = workbook_add_format(d_->classeur);
    format_set_bold(d_->entete);
    format_set_align(d_->entete, LXW_ALIGN_CENTER);
    format_set_bg_color(d_->entete, couleurEntetes);
    d_->gras = workbook_add_format(d_->classeur);
    format_set_bold(d_->gras);
    d_->indice = workbook_add_format(d_->classeur);
    format_set_bold(d_->indice);
    format_set_font_script(d_->indice, LXW_FONT_SUBSCRIPT);
    return true;
}

// The first character as it is, the next ones as a subscript (u[EA0] shows
// as u with EA0 below the line).
void TClasseurExcel::TPrive::ecritNom(lxw_col_t colonne, const QString& nom)
{
    const int premier = nom.size() > 1 && nom.at(0).isHighSurrogate() ? 2 : 1;
    if (nom.size() <= premier) {
        worksheet_write_string(feuille, 2, colonne, utf8(nom).constData(), entete);
        return;
    }
    const QByteArray debut = utf8(nom.left(premier));
    const QByteArray milieu = utf8(nom.mid(premier, longueurIndice));
    const QByteArray fin = utf8(nom.mid(premier + longueurIndice));
    lxw_rich_string_tuple morceaux[3] = {{gras, const_cast<char*>(debut.constData())},
                                         {indice, const_cast<char*>(milieu.constData())},
                                         {gras, const_cast<char*>(fin.constData())}};
    lxw_rich_string_tuple* liste[4] = {&morceaux[0], &morceaux[1], fin.isEmpty() ? nullptr : &morceaux[2], nullptr};
    const lxw_error e = worksheet_write_rich_string(feuille, 2, colonne, liste, entete);
    if (e != LXW_NO_ERROR)
        echec = true;
}

bool TClasseurExcel::ajouteFeuille(const TEnteteFeuille& e)
{
    if (d_->classeur == nullptr)
        return false;
    d_->feuille = workbook_add_worksheet(d_->classeur, utf8(e.nom).constData());
    if (d_->feuille == nullptr) {
        erreur_ = QStringLiteral("Nom de feuille refusé : ") + e.nom;
        d_->echec = true;
        return false;
    }
    lxw_worksheet* f = d_->feuille;
    worksheet_merge_range(f, 0, 0, 0, nbColonnesDescription - 1, utf8(e.ligne1).constData(), d_->description);
    worksheet_merge_range(f, 1, 0, 1, nbColonnesDescription - 1, utf8(e.ligne2).constData(), d_->description);
    for (int c = 0; c < e.noms.size(); ++c) {
        if (c == 0)
            worksheet_write_string(f, 2, 0, utf8(e.noms[0]).constData(), d_->entete);
        else
            d_->ecritNom(lxw_col_t(c), e.noms[c]);
    }
    for (int c = 0; c < e.noms.size(); ++c)
        worksheet_write_string(f, 3, lxw_col_t(c), c == 0 ? "s" : "V", d_->entete);
    d_->rang = 4;
    return !d_->echec;
}

void TClasseurExcel::ligne(const double* valeurs, int nbValeurs)
{
    if (d_->feuille == nullptr)
        return;
    for (int c = 0; c < nbValeurs; ++c)
        if (!std::isnan(valeurs[c]))
            worksheet_write_number(d_->feuille, d_->rang, lxw_col_t(c), valeurs[c], nullptr);
    ++d_->rang;
}

bool TClasseurExcel::ferme()
{
    if (d_->classeur == nullptr)
        return false;
    const lxw_error e = workbook_close(d_->classeur);
    d_->classeur = nullptr;
    if (e != LXW_NO_ERROR || d_->echec) {
        if (erreur_.isEmpty())
            erreur_ = texteErreur(e);
        return false;
    }
    // Replacing in one step: the previous workbook stays whole until then.
    std::error_code code;
    std::filesystem::rename(QFile::encodeName(d_->temporaire).toStdString(),
                            QFile::encodeName(d_->chemin).toStdString(), code);
    if (code) {
        erreur_ = QString::fromStdString(code.message());
        return false;
    }
    d_->enPlace = true;
    return true;
}
