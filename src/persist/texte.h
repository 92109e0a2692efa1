// The program's interface texts in one table: the window shows them, the language file
// replaces them (the original text is the key).
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

namespace vm {

class TSprache;

enum class Sektion { Menue, Other };

enum class Text : int {
    // status bar
    History,
    Von,
    // menu "Spiel&zug" and the file items
    MenueSpielzug,
    MenueRueckgaengig,
    MenueWiederherstellen,
    MenueGanzZurueck,
    MenueGanzVor,
    MenueSpieldateiSpeichern,
    MenueSpieldateiLaden,
    // options menu
    MenueOptionen,
    MenueErwEinstellungen,
    MenueProfileSichern,
    MenueStrategieSichern,
    MenueStrategieEinlesen,
    MenueStrategieInitialisieren,
    MenueStrategieBeiStartup,
    // hints
    HinweisRueckgaengig,
    HinweisWiederherstellen,
    HinweisSpielSpeichern,
    HinweisSpielLaden,
    // file dialogs
    SpieldateiSpeichernTitel,
    FilterVeldmark,
    FilterAlle,
    // messages
    SchwererFehler,
    DateiNichtErzeugbar,
    ProfilSchreibgeschuetzt,
    DateiLeer,
    DateiInkompatibel,
    FileAccessError0,
    FileAccessError1,
    FileAccessError2,
    FileAccessError3,
    FileAccessError4,
    FileAccessError5,
    FileAccessError6,
    // reasons added to the file error boxes
    Grund,
    GrundFehlt,
    GrundKeinLeserecht,
    GrundNichtLesbar,
    GrundKeineDatei,
    GrundKeineSpieldatei,
    GrundBeschaedigt,
    GrundUnvollstaendig,
    GrundVersion,
    GrundBereich,
    GrundNichtStimmig,
    GrundVoll,
    GrundKeinSchreibrecht,
    GrundOrdnerFehlt,
    GrundKeinDateiname,
    GrundSchreibfehler,
    // move list, pace of the computer seats, requests and refusals in the status bar
    MenueSpielverlauf,
    MenueTempo,
    VerlaufTitel,
    VerlaufRunde,
    VerlaufGruenePhase,
    VerlaufBlauePhase,
    VerlaufRotePhase,
    VerlaufAusbauphase,
    VerlaufSchenkenrunde,
    VerlaufSpielende,
    VerlaufGeladen,
    SatzKauf,
    SatzKaufHand,
    SatzKaufSternwarte,
    SatzAusbau,
    SatzAusbauHand,
    SatzAusbauSternwarte,
    SatzHand,
    SatzHandSternwarte,
    SatzHandSternwarteVerdeckt,
    SatzAbwurf,
    SatzPasse,
    SatzSiegpunkte,
    SatzKeineSiegpunkte,
    SatzErgebnis,
    // a seat's legal actions, named for the analysis
    AktionPassen,
    AktionKeineSiegpunkte,
    AktionKauf,
    AktionAusbau,
    AktionInHand,
    AktionHandLegen,
    AktionHandAusbau,
    AktionSiegpunkte,
    AktionSternwarte,
    AufforderungSchenke,
    AufforderungSternwarte,
    AufforderungSternwarteLegen,
    GrundZuWenigGeld,
    GrundHandVoll,
    GrundTischVoll,
    GrundKeinAusbauziel,
    GrundAusbauAufZiel,
    PreisKauf,
    PreisAusbau,
    PreisSchenke,
    TempoSchritt,
    // charts of simulation results
    MenueDiagramme,
    MenueDiagrammeAusDatei,
    DiagrammeTitel,
    DiagrammAlsPng,
    DiagrammAlsSvg,
    DiagrammeSchliessen,
    FilterPng,
    FilterSvg,
    FilterErgebnis,
    DiagrammNichtGeschrieben,
    ErgebnisdateiFehler,
    DiagrammSiegquote,
    DiagrammSiegeProzent,
    DiagrammSpielerAchse,
    DiagrammSpielerN,
    DiagrammSiegquoteReihe,
    DiagrammPunkteverteilung,
    DiagrammSiegpunkteEnde,
    DiagrammSpiele,
    DiagrammSpieleNachRunden,
    DiagrammRunden,
    DiagrammPunkteNachRunden,
    DiagrammMittlerePunkte,
    DiagrammPunkteNachRundenKurz,
    DiagrammSiegquoteTeilnehmer,
    DiagrammTeilnehmerAchse,
    DiagrammPunkteTeilnehmer,
    // the hint: the searching strategy's move for the person
    MenueTipp,
    HinweisTipp,
    TippSucht,
    TippMitChance,
    TippEinzig,
    // the analysis of the position
    MenueAnalyse,
    AnalyseTitel,
    AnalyseSpieler,
    AnalyseStrategie,
    AnalyseChance,
    AnalyseIntervall,
    AnalysePunkte,
    AnalyseAktion,
    AnalyseAktionen,
    AnalyseFortschritt,
    AnalyseSchliessen,
    Anzahl_
};

constexpr int TextAnzahl = static_cast<int>(Text::Anzahl_);

struct TTextEintrag {
    Sektion sektion;
    std::string_view original;
};

// The original (German) texts, indexed by Text.
const std::array<TTextEintrag, TextAnzahl>& TextTabelle();

// The texts in force: the originals, or what a language file made of them.
class TTexte {
public:
    TTexte();
    const std::string& operator[](Text t) const { return werte_[static_cast<size_t>(t)]; }
    // Replaces every text that the language file names in its section.
    void Uebersetzen(const TSprache& sprache);
    // Caption "File access error <n>" for n = 0..6.
    const std::string& DateiFehler(int n) const;
    // The text with %1, %2, ... replaced by the values in turn.
    std::string Fuelle(Text t, std::initializer_list<std::string_view> werte) const;

private:
    std::array<std::string, TextAnzahl> werte_;
};

} // namespace vm
