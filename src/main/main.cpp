#include "main/RunAndReportExceptions.h"
#include "main/StartUpGame.h"
#include "manager/GameManager.h"

int main()
{
    return RunAndReportExceptions([] {
        GameManager* gameManager = StartUpGame();
        gameManager->StartLoop();
    });
}
