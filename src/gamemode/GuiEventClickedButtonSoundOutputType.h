#pragma once

class CalibrationMode;
class GuiEvent;

// The local handler of one sound-card choice button: hands its value (an output type number of the sound library)
// to the preferences, which apply it at once, then moves the mode forwards.
class GuiEventClickedButtonSoundOutputType
{
public:
    GuiEventClickedButtonSoundOutputType(CalibrationMode* mode, int value);

    void operator()(GuiEvent const& event) const;

private:
    CalibrationMode* m_mode;
    int m_value;
};
