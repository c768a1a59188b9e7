#include "background.h"

void Background::queue(std::function<void()> start, Turn turn)
{
    if (turn == StandsIn && !waiting.empty() && waiting.back().turn == StandsIn)
        waiting.back().start = std::move(start);
    else
        waiting.push_back({std::move(start), turn});
    if (!running)
        startNext();
}

void Background::startNext()
{
    running = !waiting.empty();
    if (!running)
        return;
    const std::function<void()> start = std::move(waiting.front().start);
    waiting.pop_front();
    start();
}
