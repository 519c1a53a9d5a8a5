#include "shotpicture.h"

#include "body.h"
#include "session.h"
#include "sessionstate.h"

namespace ShotPicture {

int toPane(const Body &body, int k)
{
    return k + margin + body.radius();
}

Rect figure(const Session &session)
{
    const Body &body = session.state().body;
    return {margin, margin, body.sideLength(), body.sideLength()};
}

int keptSide(const Session &session)
{
    const Body &body = session.state().body;
    return margin + body.sideLength() + 1;
}

long long shots(const Session &session)
{
    return static_cast<long long>(session.state().simulation.shots());
}

std::optional<Plot> plot(const Session &session)
{
    if (!session.running())
        return std::nullopt;
    const SessionState &state = session.state();
    return Plot{toPane(state.body, state.simulation.shotX()), toPane(state.body, state.simulation.shotY()),
                state.colour.rgb()};
}

} // namespace ShotPicture
