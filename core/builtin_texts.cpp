// The texts built into the program in six languages (English, German, French, Dutch, Polish,
// Spanish): start-up refusals and errors and the usage text, needed before the language files.
#include "core/langtext.h"

#define NL u"\r\n"
#define T3 u"\t\t\t"
#define T2 u"\t\t"

static const char16_t UsageEn[] =
    NL u"Correct usage:  QUILnnn.EXE [filename] [switches]"
    NL u"Filename:  Load this layout file   xxx[.nt3]"
    NL u"Switches: [N] [STOP] [Q | TNR=number] [Z=N1 | Z=N2] [I=\"filename\"] [LD | LE | LES | LFR | LNL | LPL]"
    NL u"(all switches start with '/' or '-', e.g. /Q)"
    NL u"N" T3 u"Without start example"
    NL u"STOP" T3 u"Set STOP status"
    NL u"Q" T3 u"Without title screen"
    NL u"TNR=number" T2 u"Show title screen with that number (e.g. /TNR=2)"
    NL u"Z=N1/N2" T3 u"First Edit window normal mode zoom factor=1 or 2"
    NL u"I=\"filename\"" T2 u"Use this configuration (options) file"
    NL u"Lx (x=D/E/ES/FR/NL/PL)\tThis message in German/English/Spanish/French/Dutch/Polish";

static const char16_t UsageDe[] =
    NL u"Korrekter Aufruf:  QUILnnn.EXE [Dateiname] [Schalter]"
    NL u"Dateiname: Name einer zu ladenden Netzdatei  xxx[.nt3]"
    NL u"Schalter: [N] [STOP] [Q | TNR=Zahl] [Z=N1 | Z=N2] [I=\"Dateiname\"] [LD | LE | LES | LFR | LNL | LPL]"
    NL u"(alle Schalter beginnen mit '/' oder '-', z.B. /Q)"
    NL u"N" T3 u"Ohne Demobeispiel"
    NL u"STOP" T3 u"STOP-Zustand setzen"
    NL u"Q" T3 u"Ohne Titelbild"
    NL u"TNR=Zahl" T2 u"Zeige Titelbild Nummer = Zahl (z.B. /TNR=2)"
    NL u"Z=N1/N2" T3 u"Erstes Editfenster Normalmodus Zoomfaktor=1 oder 2"
    NL u"I=\"Dateiname\"" T2 u"Nutze diese Optionsdatei"
    NL u"Lx (x=D/E/ES/FR/NL/PL)\tDiese Meldung deutsch/englisch/spanisch/französisch/niederländisch/polnisch";

static const char16_t UsageFr[] =
    NL u"Utilisation correcte :  QUILnnn.EXE [fichier] [options]"
    NL u"Fichier :  charger ce fichier de réseau   xxx[.nt3]"
    NL u"Options : [N] [STOP] [Q | TNR=nombre] [Z=N1 | Z=N2] [I=\"fichier\"] [LD | LE | LES | LFR | LNL | LPL]"
    NL u"(toutes les options commencent par '/' ou '-', p. ex. /Q)"
    NL u"N" T3 u"Sans exemple de démarrage"
    NL u"STOP" T3 u"Démarrer à l'état STOP"
    NL u"Q" T3 u"Sans écran titre"
    NL u"TNR=nombre" T2 u"Afficher l'écran titre de ce numéro (p. ex. /TNR=2)"
    NL u"Z=N1/N2" T3 u"Première fenêtre d'édition, mode normal, zoom 1 ou 2"
    NL u"I=\"fichier\"" T2 u"Utiliser ce fichier de configuration (options)"
    NL u"Lx (x=D/E/ES/FR/NL/PL)\tCe message en allemand/anglais/espagnol/français/néerlandais/polonais";

static const char16_t UsageNl[] =
    NL u"Correct gebruik:  QUILnnn.EXE [bestandsnaam] [schakelaars]"
    NL u"Bestandsnaam:  dit netbestand laden   xxx[.nt3]"
    NL u"Schakelaars: [N] [STOP] [Q | TNR=getal] [Z=N1 | Z=N2] [I=\"bestandsnaam\"] [LD | LE | LES | LFR | LNL | LPL]"
    NL u"(alle schakelaars beginnen met '/' of '-', bijv. /Q)"
    NL u"N" T3 u"Zonder startvoorbeeld"
    NL u"STOP" T3 u"STOP-toestand instellen"
    NL u"Q" T3 u"Zonder titelscherm"
    NL u"TNR=getal" T2 u"Titelscherm met dit nummer tonen (bijv. /TNR=2)"
    NL u"Z=N1/N2" T3 u"Eerste bewerkingsvenster normale modus zoomfactor=1 of 2"
    NL u"I=\"bestandsnaam\"" T2 u"Dit configuratiebestand (opties) gebruiken"
    NL u"Lx (x=D/E/ES/FR/NL/PL)\tDeze melding in het Duits/Engels/Spaans/Frans/Nederlands/Pools";

static const char16_t UsagePl[] =
    NL u"Prawidłowe wywołanie:  QUILnnn.EXE [nazwa_pliku] [przełączniki]"
    NL u"Nazwa pliku:  wczytaj ten plik sieci   xxx[.nt3]"
    NL u"Przełączniki: [N] [STOP] [Q | TNR=liczba] [Z=N1 | Z=N2] [I=\"nazwa_pliku\"] [LD | LE | LES | LFR | LNL | LPL]"
    NL u"(wszystkie przełączniki zaczynają się od '/' lub '-', np. /Q)"
    NL u"N" T3 u"Bez przykładu startowego"
    NL u"STOP" T3 u"Ustaw stan STOP"
    NL u"Q" T3 u"Bez ekranu tytułowego"
    NL u"TNR=liczba" T2 u"Pokaż ekran tytułowy o tym numerze (np. /TNR=2)"
    NL u"Z=N1/N2" T3 u"Pierwsze okno edycji, tryb normalny, powiększenie 1 lub 2"
    NL u"I=\"nazwa_pliku\"" T2 u"Użyj tego pliku konfiguracji (opcji)"
    NL u"Lx (x=D/E/ES/FR/NL/PL)\tTen komunikat po niemiecku/angielsku/hiszpańsku/francusku/niderlandzku/polsku";

static const char16_t UsageEs[] =
    NL u"Uso correcto:  QUILnnn.EXE [fichero] [opciones]"
    NL u"Fichero:  cargar este fichero de red   xxx[.nt3]"
    NL u"Opciones: [N] [STOP] [Q | TNR=número] [Z=N1 | Z=N2] [I=\"fichero\"] [LD | LE | LES | LFR | LNL | LPL]"
    NL u"(todas las opciones empiezan por '/' o '-', p. ej. /Q)"
    NL u"N" T3 u"Sin ejemplo de inicio"
    NL u"STOP" T3 u"Poner el estado STOP"
    NL u"Q" T3 u"Sin pantalla de título"
    NL u"TNR=número" T2 u"Mostrar la pantalla de título con ese número (p. ej. /TNR=2)"
    NL u"Z=N1/N2" T3 u"Primera ventana de edición, modo normal, zoom 1 o 2"
    NL u"I=\"fichero\"" T2 u"Usar este fichero de configuración (opciones)"
    NL u"Lx (x=D/E/ES/FR/NL/PL)\tEste mensaje en alemán/inglés/español/francés/neerlandés/polaco";

// Rows x languages (English, German, French, Dutch, Polish, Spanish); rows 2, 3 and 5 are empty.
static const char16_t* const BuiltinTexts[LANG_BUILTIN_ROWS][LANG_BUILTIN_LANGUAGES] = {
    {u"Init Error #85", u"Startfehler 85", u"Erreur à l'initialisation 85", u"Startfout 85",
     u"Błąd startowy nr 85", u"Error de salida número 85"},
    {u"At least Windows95 or NT needed", u"Mindestens Windows95 oder NT nötig",
     u"Le minimum requis est Windows95/NT", u"Ten minste Windows95/NT nodig",
     u"Wymagany jest przynajmniej Windows 95 lub NT", u"Por los menos requiendo Windows95 o NT"},
    {u"", u"", u"", u"", u"", u""},
    {u"", u"", u"", u"", u"", u""},
    {u"Initialization error #%u:", u"Startfehler %u:", u"Erreur à l'initialisation %u:",
     u"Initialisatiefout %u:", u"Błąd startowy nr %u:", u"Error de salida número %u"},
    {u"", u"", u"", u"", u"", u""},
    {NL u"program canceled", NL u"Programm abgebrochen", NL u"programme interrompu",
     NL u"Programma afgebroken", NL u"program anulowany", NL u"Programa cancelada"},
    {u"Wrong parameters", u"Parameter falsch", u"Paramètres incorrects", u"Foutieve parameters",
     u"Nieprawidłowe parametry", u"Parámetros falsos"},
    {UsageEn, UsageDe, UsageFr, UsageNl, UsagePl, UsageEs},
    {u"Out of memory", u"Speicher reicht nicht", u"Mémoire insuffisante", u"Niet genoeg geheugen",
     u"Zabrakło pamięci", u"No hay memoria"},
    {u"File not found:", u"Datei nicht gefunden:", u"Fichier inexistant:", u"Bestand niet gevonden",
     u"Nie znaleziono pliku:", u"El fichero no se encuentro:"},
    {u"File incorrect:", u"Datei defekt:", u"Fichier corrompu:", u"Gegevens beschadigd",
     u"Niewłaściwy plik:", u"El fichero está dañado:"},
    {u"80486 CPU or newer needed", u"Mindestens 80486-Prozessor nötig",
     u"Processeur 80486 ou plus récent nécessaire", u"Minstens 80486 processor nodig",
     u"Wymagany jest procesor 80486 lub wyższy", u"Requiendo procesador 80486 o más nuevo"},
};

const char16_t* GetBuiltinText(unsigned language, unsigned row) {
  if (language >= LANG_BUILTIN_LANGUAGES) language = 0;
  if (row >= LANG_BUILTIN_ROWS) return u"";
  return BuiltinTexts[row][language];
}
