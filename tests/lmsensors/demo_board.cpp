#include "demo_board.h"

namespace kvx::lmsensors::testing {

const char* const kDemoSensorsConf = R"(# demo board
chip "w83781d-*"
    label in0 "VCore 1"
    label in1 "VCore 2"
    label in2 "+3.3V"
    label in3 "+5V"
    label in4 "+12V"
    label in5 "-12V"
    label in6 "-5V"
    compute in3 ((6.8/10)+1)*@ ,  @/((6.8/10)+1)
    compute in4 ((28/10)+1)*@  ,  @/((28/10)+1)
    compute in5 (5.14 * @) - 14.91  ,  (@ + 14.91) / 5.14
    compute in6 (3.14 * @) -  7.71  ,  (@ +  7.71) / 3.14
    label temp1 "M/B Temp"
)";

void buildDemoBoard(FakeSysfsTree& tree) {
    // LM75s first, so that the mainboard chip is not hwmon0.
    tree.addChip({"lm75", "0-0048", "i2c", {{"temp1_input", "45000"}}, -1});
    tree.addChip({"lm75", "0-004a", "i2c", {{"temp1_input", "51750"}}, -1});
    tree.addChip({"w83781d", "w83781d.656", "platform",
                  attributes("in0_input=2050;in1_input=2800;in2_input=3312;in3_input=2990;in4_input=3168;"
                             "in5_input=585;in6_input=864;fan1_input=4500;fan1_div=2;fan2_input=4411;fan2_div=2;"
                             "fan3_input=0;fan3_div=2;temp1_input=35000;temp2_input=40500;temp3_input=38250"),
                  5});
    tree.addAdapter({0, "SMBus I801 adapter at 5000", ""});
    tree.setSensorsConf(kDemoSensorsConf);
}

}  // namespace kvx::lmsensors::testing
