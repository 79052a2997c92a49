#pragma once

// When a streaming FTP or .EXE transfer is cut: once its response keeps arriving block after block,
// at the sixth block (the fifth report of a block right after a block). One counter per transfer.
class CutCounter {
public:
    static constexpr int MaxRepeats = 4;

    // Takes the transfer's next block; true on each block past the limit.
    bool cutsAtBlock() { return m_blocks++ > MaxRepeats; }

private:
    int m_blocks = 0;
};
