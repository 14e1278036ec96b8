#include "resources/MessageBoxButtons.h"

namespace plintor::resources {

namespace {

struct ButtonTexts {
    std::uint16_t language;
    // In dialog result order: OK, Cancel, Abort, Retry, Ignore, Yes, No.
    const char* texts[7];
};

constexpr ButtonTexts buttonTable[] = {
    {0x0409, {"OK", "Cancel", "&Abort", "&Retry", "&Ignore", "&Yes", "&No"}},
    {0x0405, {"OK", "Storno", "&Přerušit", "&Opakovat", "&Ignorovat", "&Ano", "&Ne"}},
    {0x0406, {"OK", "Annuller", "&Afbryd", "&Prøv igen", "&Ignorer", "&Ja", "&Nej"}},
    {0x0407, {"OK", "Abbrechen", "&Abbrechen", "&Wiederholen", "&Ignorieren", "&Ja", "&Nein"}},
    {0x0408, {"OK", "Άκυρο", "&Τερματισμός", "&Επανάληψη", "&Παράβλεψη", "&Ναι", "Ό&χι"}},
    {0x040B, {"OK", "Peruuta", "&Keskeytä", "&Yritä uudelleen", "&Ohita", "&Kyllä", "&Ei"}},
    {0x040C, {"OK", "Annuler", "&Abandonner", "&Réessayer", "&Ignorer", "&Oui", "&Non"}},
    {0x040E, {"OK", "Mégse", "&Megszakítás", "Ú&jra", "&Kihagyás", "&Igen", "&Nem"}},
    {0x0410, {"OK", "Annulla", "&Interrompi", "&Riprova", "&Ignora", "&Sì", "&No"}},
    {0x0411, {"OK", "キャンセル", "中止(&A)", "再試行(&R)", "無視(&I)", "はい(&Y)", "いいえ(&N)"}},
    {0x0413, {"OK", "Annuleren", "&Afbreken", "&Opnieuw", "&Negeren", "&Ja", "&Nee"}},
    {0x0414, {"OK", "Avbryt", "&Avbryt", "&Prøv igjen", "&Ignorer", "&Ja", "&Nei"}},
    {0x0415, {"OK", "Anuluj", "&Przerwij", "&Ponów próbę", "&Ignoruj", "&Tak", "&Nie"}},
    {0x0416, {"OK", "Cancelar", "&Anular", "&Repetir", "&Ignorar", "&Sim", "&Não"}},
    {0x0419, {"ОК", "Отмена", "&Прервать", "&Повторить", "&Пропустить", "&Да", "&Нет"}},
    {0x041D, {"OK", "Avbryt", "&Avbryt", "&Försök igen", "&Ignorera", "&Ja", "&Nej"}},
    {0x041F, {"Tamam", "İptal", "&Durdur", "&Yeniden Dene", "&Yoksay", "&Evet", "&Hayır"}},
    {0x0C0A, {"Aceptar", "Cancelar", "&Anular", "&Reintentar", "&Omitir", "&Sí", "&No"}},
};

}

const char* MessageBoxButtonText(int button, std::uint16_t language)
{
    if (button < 1 || button > 7)
        return "";
    const ButtonTexts* found = &buttonTable[0];
    for (const ButtonTexts& row : buttonTable) {
        if (row.language == language) {
            found = &row;
            break;
        }
    }
    return found->texts[button - 1];
}

}
