#pragma once

#include "framework/report_ctrl.h"
#include "tests/app/main_frame_fixture.h"
#include "views/text_view.h"

#include <string>

// The main window with a document open in its document window: the section list on the
// left, the text view on the right.
class DocumentWindowTest : public MainFrameTest {
protected:
    // Opens path, lets the window settle and puts the sash at sashDip, wide enough for the
    // columns the test looks at.
    void OpenDocumentWindow(const std::string& path, int sashDip) {
        m_doc = dynamic_cast<myDomainFile*>(m_manager->OpenDocumentFile(wxString::FromUTF8(path)));
        ASSERT_NE(m_doc, nullptr);
        PumpEvents(300);
        m_list = dynamic_cast<myReportView*>(m_doc->GetFirstView());
        ASSERT_NE(m_list, nullptr);
        m_window = dynamic_cast<mySplitterFrame*>(m_list->GetFrame());
        ASSERT_NE(m_window, nullptr);
        m_text = m_window->GetTextPane();
        m_window->GetSplitter()->SetSashPosition(m_window->FromDIP(sashDip));
        PumpEvents(200);
    }

    // Clicks the row's title cell as a person does.
    void ClickRow(CXTPReportRecordEx* record) {
        ivReportCtrl* control = m_list->GetControl();
        const wxRect rect = control->GetItemRect(
            ivReportCtrl::ItemOf(record), control->ColumnOfItemIndex(m_list->FindColumn("Title")));
        ASSERT_GT(rect.height, 0);
        ClickAt(*control->GetMainWindow(),
                wxPoint(rect.x + rect.width / 2, rect.y + rect.height / 2));
        PumpEvents(200);
    }

    // The command id as a menu pick in the main window.
    void Command(int id) {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(m_frame);
        m_frame->ProcessWindowEvent(event);
        PumpEvents(200);
    }

    myDomainFile* m_doc = nullptr;
    myReportView* m_list = nullptr;
    mySplitterFrame* m_window = nullptr;
    myTextView* m_text = nullptr;
};
