#pragma once

#include <memory>

namespace GameFramework
{

class GameBase;

// Runs the whole program: makes the game, runs its message loop and destroys
// it. The only place where an error that ends the program is caught.
class GameLoaderBase
{
public:
    enum class Outcome
    {
        Ok,
        Failed,
    };

    GameLoaderBase() = default;
    virtual ~GameLoaderBase();
    GameLoaderBase(const GameLoaderBase&) = delete;
    GameLoaderBase& operator=(const GameLoaderBase&) = delete;

    // Returns normally after a failure too, once the game is destroyed and
    // the player has been told.
    virtual void Run();
    virtual void CreateGame() = 0;
    virtual void DestroyGame();
    virtual void MessageLoop();

    // Failed once Run has ended through its failure path; the program's exit
    // status follows it.
    Outcome GetOutcome() const { return outcome; }
    GameBase* GetGame() const { return game.get(); }

protected:
    std::unique_ptr<GameBase> game;

private:
    void ShowFailure(const char* text);

    Outcome outcome = Outcome::Ok;
};

} // namespace GameFramework
