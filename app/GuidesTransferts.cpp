#include "app/GuidesTransferts.h"

#include <QStringList>

namespace gv {

namespace {

QString paragraphes(const QStringList& textes)
{
    return textes.join(QStringLiteral("\n\n"));
}

} // namespace

QString guideTransfertREGRESSI()
{
    return paragraphes({
        QStringLiteral("Le transfert vers REGRESSI se fait par l'intermédiaire d'un fichier placé dans le dossier "
                       "\"Mes documents\": Galvora crée ce fichier, puis demande à REGRESSI de l'ouvrir. Ce fichier "
                       "utilisé pour le transfert est effacé lorsque vous quittez Galvora."),
        QStringLiteral("Si REGRESSI n'est pas en cours d'exécution, Galvora le démarre et lui fait ouvrir ce "
                       "fichier. Si REGRESSI est déjà actif, le fichier lui est transmis de la même façon, et "
                       "REGRESSI l'ouvre à son tour."),
        QStringLiteral("Les modifications que vous faites ensuite dans REGRESSI (calculs, modélisations, "
                       "graphes...) ne sont pas conservées dans le fichier de transfert : elles sont perdues si "
                       "vous ne les enregistrez pas vous-même dans REGRESSI."),
        QStringLiteral("a. Si vous transférez les mêmes grandeurs que lors du transfert précédent, alors que "
                       "REGRESSI est toujours actif, et si la case \"une nouvelle page\" (ci-contre) est cochée, "
                       "les nouvelles mesures sont ajoutées dans une nouvelle page du document précédent. "
                       "Enregistrez ce document sous un nouveau nom pour conserver les modifications que vous y "
                       "avez faites. Avec \"demander à chaque fois\", Galvora vous demande dans ce cas s'il faut "
                       "créer une nouvelle page ou un nouveau document."),
        QStringLiteral("b. Dans tous les autres cas (grandeurs différentes, REGRESSI arrêté, document enregistré "
                       "par REGRESSI depuis le transfert précédent, ou case \"un nouveau fichier\" cochée), les "
                       "mesures sont placées dans un nouveau document REGRESSI."),
        QStringLiteral("Sous Linux, REGRESSI est un programme Windows que Galvora démarre par l'intermédiaire de "
                       "Wine : le fichier .rw3 est écrit dans votre dossier de documents, puis REGRESSI est lancé "
                       "avec Wine pour l'ouvrir. La version \"par défaut\" est celle qui est installée dans votre "
                       "préfixe Wine (WINEPREFIX, sinon ~/.wine), dans le dossier drive_c/Program "
                       "Files/Evariste/Regressi ou drive_c/Program Files (x86)/Evariste/Regressi ; le bouton "
                       "\"Changer\" permet de désigner un autre fichier regressi.exe."),
    });
}

QString guideTransfertEXCEL()
{
    return paragraphes({
        QStringLiteral("Si la case \"une nouvelle feuille\" (ci-contre) est cochée, et si EXCEL est actif, alors les "
                       "mesures seront placées dans une nouvelle feuille du classeur actif."),
        QStringLiteral("Si la case \"un nouveau classeur\" est cochée, les mesures seront placées dans un nouveau "
                       "classeur EXCEL. Si la case \"demander à chaque fois\" est cochée, Galvora vous demande, à "
                       "chaque transfert, de choisir entre une nouvelle feuille et un nouveau classeur."),
        QStringLiteral("Si EXCEL n'est pas actif, il est démarré par Galvora, et les mesures sont alors toujours "
                       "placées dans un nouveau classeur."),
        QStringLiteral("Lorsque les valeurs sont nombreuses, elles passent par le presse-papiers en plusieurs fois ; "
                       "l'avancement du transfert est indiqué en haut à droite de la fenêtre de Galvora. "
                       "N'utilisez pas le presse-papiers pendant ce temps."),
        QStringLiteral("Sous Linux, EXCEL n'est pas piloté : Galvora écrit les mesures dans un classeur au format "
                       ".xlsx placé dans votre dossier de documents, puis le fait ouvrir par l'application que votre "
                       "bureau associe à ce type de fichier (LibreOffice Calc, par exemple). Avec \"une nouvelle "
                       "feuille\", le classeur du transfert précédent est réécrit avec une feuille de plus, à "
                       "condition que personne ne l'ait modifié depuis et qu'il ne soit plus ouvert dans un tableur "
                       "(refermez-le sans l'enregistrer) ; sinon, les mesures sont placées dans un nouveau classeur. "
                       "Les classeurs que vous n'avez pas modifiés sont effacés lorsque vous quittez Galvora."),
    });
}

QString guideTransfertCalc()
{
    return paragraphes({
        QStringLiteral("Si la case \"une nouvelle feuille\" (ci-contre) est cochée, et si le classeur "
                       "Open/LibreOffice Calc du transfert précédent est encore ouvert, alors les mesures seront "
                       "placées dans une nouvelle feuille de ce classeur."),
        QStringLiteral("Si la case \"un nouveau classeur\" est cochée, les mesures seront placées dans un nouveau "
                       "classeur Open/LibreOffice Calc. Si la case \"demander à chaque fois\" est cochée, Galvora "
                       "vous demande, à chaque transfert, de choisir entre une nouvelle feuille et un nouveau "
                       "classeur."),
        QStringLiteral("Si Open/LibreOffice Calc n'est pas actif, ou si le classeur du transfert précédent a été "
                       "fermé, il est démarré par Galvora, et les mesures sont alors toujours placées dans un "
                       "nouveau classeur ; c'est aussi le cas du premier transfert qui suit le démarrage de "
                       "Galvora."),
        QStringLiteral("Lorsque les valeurs sont nombreuses, elles sont transmises en plusieurs fois ; "
                       "l'avancement du transfert est indiqué en haut à droite de la fenêtre de Galvora. Les "
                       "fenêtres d'Open/LibreOffice Calc restent masquées pendant le transfert."),
        QStringLiteral("Sous Linux, Galvora pilote LibreOffice Calc par son interface d'automatisation UNO : il "
                       "démarre LibreOffice si nécessaire, puis remplit le classeur comme décrit ci-dessus."),
    });
}

} // namespace gv
