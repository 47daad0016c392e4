#pragma once

// Every user command of the main window. Menu items, toolbar buttons and
// accelerators all end in MainWindow::run(Command).

namespace qn {

enum class Command {
    // File
    New,
    Open,
    Save,
    SaveMidi,
    SaveKaraoke,
    ExportAudio,
    PlayMidi,
    PrintSetup,
    PrintPreview,
    Print,
    Exit,
    // Edit
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    Repeat,
    Delete,
    Insert,
    SelectTrack,
    SelectAll,
    CutStart,
    CutEnd,
    // Modify
    HigherPitch,
    LowerPitch,
    LongerDuration,
    ShorterDuration,
    IncreaseVolume,
    DecreaseVolume,
    ChangeInstrument,
    FadeIn,
    FadeOut,
    // Play
    Play,
    Pause,
    Stop,
    ActiveTrackOnly,
    PlaySelection,
    PlayStartToSelection,
    PlayFromSelection,
    Loop,
    // Track
    Track1,
    Track2,
    Track3,
    Track4,
    BassClef,
    CopyTrackToTrack,
    SetOctave,
    ClearTrack,
    ClearAll,
    // Special effects
    SetupEffects,
    Distortion,
    Echo,
    Chorus,
    Flanger,
    Compressor,
    Gargle,
    Para,
    Reverb,
    // Single items and small menus
    Options,
    KaraokeOn,
    KaraokeOff,
    PlayerPianoOn,
    PlayerPianoOff,
    TeachOn,
    TeachOff,
    Help,
    About,
    // Toolbar only
    Record,
    ExpandedScale,
};

inline constexpr int kToolbarButtons = 22;

// The command of toolbar button `index`, 0..21.
Command toolbarCommand(int index);

}  // namespace qn
