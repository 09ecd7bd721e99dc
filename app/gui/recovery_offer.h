#pragma once

class wxWindow;

// At start-up: for each recovery copy that an editor left behind when it ended without
// closing its document, asks whether to restore it ("Restore": it opens as a modified document
// at its original path), discard it, or decide later (it stays for the next start).
void OfferRecoveryCopies(wxWindow* parent);
