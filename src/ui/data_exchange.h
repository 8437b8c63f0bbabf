// Dialog data exchange: bound strings moved between members and edit controls, and the
// maximum-length rule of the edits.
#pragma once

#include <string>

#include "ui/dialog_host.h"

namespace tarvek::ui {

class DataExchange {
  public:
    DataExchange(DialogHost& host, bool saveAndValidate) : m_host(host), m_bSave(saveAndValidate) {}

    bool IsSaving() const { return m_bSave; }
    bool Failed() const { return m_bFailed; }
    DialogHost& Host() const { return m_host; }
    void Fail() { m_bFailed = true; }

  private:
    DialogHost& m_host;
    bool m_bSave;
    bool m_bFailed = false;
};

// The framework's message for a text that is too long; %1 is the limit.
inline constexpr const char* kMaxCharsMessage = "Please enter no more than %1 characters.";

// A string member bound to an edit control (bytes in the ANSI code page).
void DdxText(DataExchange& dx, int id, std::string& value);
// The length limit of a bound string: towards the control the edit takes at most maxChars
// characters; from the control a longer text is refused with kMaxCharsMessage and the exchange
// fails. Once an exchange has failed, later fields are left alone.
void DdvMaxChars(DataExchange& dx, int id, const std::string& value, int maxChars);

}  // namespace tarvek::ui
