#include "shotpicture.h"

#include "body.h"
#include "session.h"

namespace ShotPicture {

int toPane(const Body &body, int k)
{
    return k + margin + body.radius();
}

Rect figure(const Body &body)
{
    return {margin, margin, body.sideLength(), body.sideLength()};
}

int keptSide(const Body &body)
{
    return margin + body.sideLength() + 1;
}

std::optional<Plot> plot(const Session &session)
{
    if (!session.running())
        return std::nullopt;
    const Simulation &simulation = session.simulation();
    return Plot{toPane(session.body(), simulation.shotX()), toPane(session.body(), simulation.shotY()),
                session.colour().rgb()};
}

} // namespace ShotPicture
