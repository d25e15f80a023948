#include "platform/dinput/Types.h"

namespace dinput
{

const DIDATAFORMAT c_dfDIKeyboard{sizeof(DIDATAFORMAT), 256};
const DIDATAFORMAT c_dfDIMouse2{sizeof(DIDATAFORMAT), sizeof(DIMOUSESTATE2)};

} // namespace dinput
