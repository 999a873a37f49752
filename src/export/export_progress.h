#pragma once
// How a long export shows its progress: the window side passes a progress
// bar behind this interface, the command-line tool passes nothing.

class ExportProgress {
public:
    virtual ~ExportProgress() = default;
    // A maximum below the minimum means the number of steps is unknown.
    virtual void start(int minimum, int maximum) = 0;
    virtual void setPosition(int position) = 0;
    // Lets the user interface handle what is pending (every 100 rows).
    virtual void processEvents() = 0;
};
