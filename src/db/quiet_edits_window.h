#pragma once
// A window being destroyed hides its children, and the edit that had the
// focus then reports "editing finished" to slots of a window whose own part
// is already gone. Its destructor calls this first.
class QWidget;

void QuietEdits(QWidget* window);
