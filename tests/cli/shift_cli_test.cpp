// vadrel-cli shift, run as the person runs it.

#include <gtest/gtest.h>

#include "support/process.hpp"
#include "support/temp_dir.hpp"

namespace vadrel::test {
namespace {

class ShiftCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A 50 x 40 m rectangle in UTM; the map 0.3 m east and 0.4 m north.
        writeFile(dir / "pares.txt", "1;271000;4814000;271000.3;4814000.4\r\n2;271050;4814000;271050.3;4814000.4\r\n"
                                     "3;271050;4814040;271050.3;4814040.4\r\n4;271000;4814040;271000.3;4814040.4\r\n");
        writeFile(dir / "coords.txt", "1;271000;4814000\n2;271050;4814000\n3;271050;4814040\n");
    }
    RunResult cli(std::vector<std::string> args)
    {
        args.insert(args.begin(), {VADREL_CLI, "shift"});
        return run(args, dir.path());
    }
    TempDir dir;
};

TEST_F(ShiftCliTest, PrintsTheFitsAndMovesTheCoordinates)
{
    const RunResult r = cli({"--pares", "pares.txt", "--aplicar", "--coords", "coords.txt", "-o", "movidas.txt"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "puntos comunes: 4\n"
              "afín: AX=1.0000000000 BX=0.0000000000 CX=0.300 AY=0.0000000000 BY=1.0000000000 CY=0.400\n"
              "afín, residuos: 1: 0.000 m, 2: 0.000 m, 3: 0.000 m, 4: 0.000 m; emc 0.000 m\n"
              "desplazamiento: 0.500 m, acimut 36.8699° (en el centro de los puntos medidos)\n"
              "giro: 0.0000° (0.0000 g)\n"
              "escala: 1.0000000 (0.0 ppm)\n"
              "rígido, residuos: 1: 0.000 m, 2: 0.000 m, 3: 0.000 m, 4: 0.000 m; emc 0.000 m\n");
    EXPECT_EQ(readFile(dir / "movidas.txt"),
              "1;271000.300;4814000.400\r\n2;271050.300;4814000.400\r\n3;271050.300;4814040.400\r\n");
}

TEST_F(ShiftCliTest, WarningsErrorsAndUsage)
{
    writeFile(dir / "desviado.txt", "1;271000;4814000;271000.3;4814000.4\n2;271050;4814000;271050.3;4814000.4\n"
                                    "3;271050;4814040;271050.3;4814040.9\n4;271000;4814040;271000.3;4814040.4\n");
    writeFile(dir / "dos.txt", "1;0;0;1;1\n2;10;0;11;1\n");
    writeFile(dir / "recta.txt", "1;0;0;1;1\n2;10;0;11;1\n3;20;0;21;1\n");
    writeFile(dir / "mal.txt", "1;0;0;1;1\n2;10;0;11\n");
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string err;  // its start
        bool printed;
    };
    const Case cases[] = {
        {{"--pares", "desviado.txt"}, 1, "Aviso. El punto 3 no encaja con los demás (residuo 0.500 m).\n", true},
        {{"--pares", "dos.txt"}, 1, "Error. Hacen falta al menos tres puntos comunes.\n", false},
        {{"--pares", "recta.txt"}, 1, "Error. Los puntos comunes están alineados: no determinan el giro.\n", false},
        {{"--pares", "mal.txt"}, 1, "Error. La línea 2 no es N;Xm;Ym;Xc;Yc.\n", false},
        {{"--pares", "pares.txt", "--aplicar", "--coords", "coords.txt", "-o", "coords.txt"}, 1,
         "Error. El archivo de salida es uno de los de entrada.\n", false},
        {{"--pares", "pares.txt", "--aplicar", "--coords", "coords.txt"}, 2, "--aplicar, --coords y -o van juntos.\n",
         false},
        {{"--coords", "coords.txt"}, 2, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const RunResult r = cli(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.starts_with(c.err)) << r.err;
        EXPECT_EQ(r.out.starts_with("puntos comunes: 4\n"), c.printed) << r.out;
        if (c.exitCode == 2) {
            EXPECT_NE(r.err.find("shift --pares PARES.txt"), std::string::npos) << "the usage follows";
        }
    }
    EXPECT_EQ(readFile(dir / "coords.txt"), "1;271000;4814000\n2;271050;4814000\n3;271050;4814040\n");
}

}  // namespace
}  // namespace vadrel::test
