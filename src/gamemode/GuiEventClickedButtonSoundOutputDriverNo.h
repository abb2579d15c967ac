#pragma once

class CalibrationMode;
class GuiEvent;

// The local handler of one sound-card choice button: hands its value (the index of a playback driver)
// to the preferences, which apply it at once, then moves the mode forwards.
class GuiEventClickedButtonSoundOutputDriverNo
{
public:
    GuiEventClickedButtonSoundOutputDriverNo(CalibrationMode* mode, int value);

    void operator()(GuiEvent const& event) const;

private:
    CalibrationMode* m_mode;
    int m_value;
};
