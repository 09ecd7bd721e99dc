#include "views/text_placeholder.h"

#include "rtf/convert.h"

myTextPlaceholder::myTextPlaceholder(wxWindow* parent, wxWindowID id)
    : wxTextCtrl(parent, id, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                 wxTE_MULTILINE | wxTE_READONLY | wxTE_RICH2 | wxBORDER_NONE) {
    Disable();
}

void myTextPlaceholder::SetRTF(const std::string& rtf) {
    m_rtf = rtf;
    ChangeValue(wxString::FromUTF8(rtf::RtfToText(rtf)));
    SetInsertionPoint(0);
}
