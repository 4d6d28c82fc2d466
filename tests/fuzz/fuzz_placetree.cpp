// tree.ini is whatever the user left beside the program: any bytes read into a well-formed tree (each node
// at most one level below the one before, within the limits), and every node's text picks and steps
// without fault.
#include <cstdint>
#include <cstdlib>

#include <QByteArrayView>

#include "files/longitude.h"
#include "files/placetree.h"

using namespace velunar::ui;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const PlaceTreeLoad load = ParsePlaceTree(bytes);
    if (load.nodes.size() > kMaxPlaceNodes) std::abort();
    int previous = -1;
    for (const PlaceNode& node : load.nodes) {
        if (node.depth < 0 || node.depth > previous + 1 || node.depth > kMaxPlaceDepth) std::abort();
        previous = node.depth;
        const PlacePick pick = PickPlace(node.text);
        if (pick.kind == PlacePick::Kind::Place) {
            if (pick.xy.isEmpty()) std::abort();
            // A step always lands on a valid longitude, so the arrows never raise the message.
            for (bool up : {true, false}) {
                const auto stepped = StepLongitude(pick.xy, up);
                if (stepped && LongitudeMessageFor(*stepped)) std::abort();
            }
        }
    }
    return 0;
}
