#pragma once

// Puts the answer field's whole text on the clipboard as Unicode text and
// logs it; a busy clipboard is left alone.
void CopyAnswerToClipboard();
