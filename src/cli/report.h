// What the program prints: plain sentences in the technician's language, or one JSON document
// (JSON Lines in the station loop) for scripts. Progress of long steps goes to stderr, on a
// terminal only. Secrets are hidden everywhere unless asked for.
#pragma once

#include <functional>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "cli/apply.h"
#include "cli/messages.h"
#include "cli/printer_read.h"
#include "texts/localized_text.h"

namespace tarvek::cli {

using Json = nlohmann::ordered_json;

// Settings as a JSON object of keys, secrets hidden.
Json SettingsJson(const Settings& settings, const Wording& wording);
// An outcome's fields: ok, exit, and for a failure its step, message and differences.
Json OutcomeJson(const Outcome& outcome, const Wording& wording);

class Reporter {
  public:
    Reporter(std::ostream& out, std::ostream& err, bool json, bool progress, Wording wording)
        : m_out(out), m_err(err), m_bJson(json), m_bProgress(progress), m_wording(wording) {}

    const Wording& Words() const { return m_wording; }
    // What follows a failure's message: the advice on what to do about it ("" for none).
    void SetDoctor(std::function<std::string(const Outcome&)> doctor) {
        m_doctor = std::move(doctor);
    }

    void Show(const std::string& port, const PrinterReport& report);
    void Keys();
    void Applied(const ApplyReport& report, std::size_t written);
    void Diff(const std::vector<Difference>& differences, const std::vector<KeyId>& unverifiable);
    void ProfileSaved(const std::string& file, const std::vector<KeyId>& secrets,
                      const std::vector<KeyId>& leftOut);
    void ProfileValid(const std::string& file, std::size_t count);
    void Failed(const Outcome& outcome);
    // A warning on stderr (both outputs: stdout stays one document).
    void Warn(const std::string& sentence);
    // A sentence of the station loop (plain output only).
    void Say(const std::string& sentence);
    // A JSON line (station loop, JSON output only).
    void Line(const nlohmann::ordered_json& line);
    void Progress(Step step, int done, int total);
    const char* Text(const texts::LocalizedText& text) const {
        return text.For(m_wording.codePage);
    }

  private:
    void Document(nlohmann::ordered_json document);
    void EndProgress();

    std::ostream& m_out;
    std::ostream& m_err;
    bool m_bJson;
    bool m_bProgress;
    Wording m_wording;
    bool m_bProgressShown = false;
    std::function<std::string(const Outcome&)> m_doctor;
};

}  // namespace tarvek::cli
