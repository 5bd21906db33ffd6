#include "play/game.h"

namespace zorvan {

Game::Game(Host& host, Canvas* canvas, SoundPort* sound)
    : m_host(host), m_draw(m_g, canvas), m_sound(sound ? sound : &m_silent) {}

void Game::startUp() {}
void Game::mousePress(int, double, double) {}
void Game::keyPress(int) {}
void Game::menu(std::string_view) {}
void Game::tick() {}
void Game::close() {}

}  // namespace zorvan
