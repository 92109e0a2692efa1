// --plot: the charts of a run as SVG files beside its report. The simulator links no Qt, so the
// window program draws them in a headless mode of its own ("veldmark --diagramme RESULT.json
// DIR"), found beside the simulator's executable; the run hands it its JSON through a
// temporary file.
#pragma once

#include <iosfwd>
#include <string>

namespace vm {

// A private temporary folder for the run's JSON, removed with everything in it at the end.
class TDiagrammJson {
public:
    TDiagrammJson() = default;
    TDiagrammJson(const TDiagrammJson&) = delete;
    TDiagrammJson& operator=(const TDiagrammJson&) = delete;
    ~TDiagrammJson();
    // Creates the folder ($TMPDIR or /tmp); an error line, or empty.
    std::string Anlegen();
    // The JSON file's path inside it; empty before Anlegen.
    const std::string& Pfad() const { return datei_; }

private:
    std::string ordner_, datei_;
};

// Runs "veldmark --diagramme json ordner" from the folder of the running program and waits for
// it. False (named on `err`) when the program is missing or does not end with exit code 0.
bool DiagrammeZeichnen(const std::string& json, const std::string& ordner, std::ostream& err);

} // namespace vm
