#include "gamemode/CalibrationMode.h"
#include "gamemode/MenuMode.h"
#include "main/RunAndReportExceptions.h"
#include "main/StartUpGame.h"
#include "manager/GameManager.h"

int main()
{
    return RunAndReportExceptions([] {
        GameManager* gameManager = StartUpGame();
        // A stored calibration opens the menu; otherwise the calibration
        // comes first and continues with the menu.
        GameMode* firstMode = nullptr;
        if (gameManager->GetPreferences().HasSoundMicrophoneAnalyzerCalibratedReader())
            firstMode = new MenuMode;
        else
            firstMode = new CalibrationMode(new MenuMode);
        gameManager->SetNextGameMode(firstMode);
        gameManager->StartLoop();
    });
}
