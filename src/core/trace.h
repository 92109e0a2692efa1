// Running text log of the game and the internal-fault report.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vm {

// Receives the message of an internal fault; the window shows it in an error box.
class IFehlerSenke {
public:
    virtual ~IFehlerSenke() = default;
    virtual void Melde(std::string_view meldung) = 0;
};

class TTraceLog {
public:
    // 1 while the trace is on; callers test it before building a line.
    bool TraceAn = false;

    // When set, every new line is also handed here (the simulator streams its trace to a file).
    std::function<void(std::string_view)> Weiterleitung;
    // When false the log keeps no lines of its own (only the forward sees them).
    bool Behalten = true;

    void Zeile(std::string text);
    void Leeren() { zeilen_.clear(); }
    const std::vector<std::string>& Zeilen() const { return zeilen_; }

    // Writes the whole log, one line per log line; false if the file cannot be written.
    bool Speichern(const std::string& pfad) const;

private:
    std::vector<std::string> zeilen_;
};

// Builds "Internal Fault <nr> in Procedure <name>".
std::string FehlerText(int32_t nummer, std::string_view prozedur);

} // namespace vm
