#pragma once

class CChildFrame;

// What a document window asks of whoever keeps it. The document manager implements it; the
// window knows only this, so that the two need not include each other.
class CFrameOwner
{
public:
    // The user closes frame: may it close? (Not when it is the last window of a modified
    // document and the user cancels.)
    virtual bool CanCloseFrame(CChildFrame* frame) = 0;
    // frame is being destroyed; its view is already gone.
    virtual void FrameDestroyed(CChildFrame* frame) = 0;

protected:
    ~CFrameOwner() = default;
};
