#include "BitExact.h"

TEST(Xform, DefaultIsZeroWithUnitCornerAndOneIsIdentity)
{
    const ON_Xform zero;
    const ON_Xform identity(1.0);
    for (int r = 0; r < 4; r++)
    {
        for (int c = 0; c < 4; c++)
        {
            EXPECT_EQ(zero[r][c], (r == 3 && c == 3) ? 1.0 : 0.0);
            EXPECT_EQ(identity[r][c], r == c ? 1.0 : 0.0);
        }
    }
    EXPECT_EQ(identity.Determinant(), 1.0);
    EXPECT_EQ(zero.Determinant(), 0.0);
}

TEST(Xform, RowMajorWithTranslationInColumnThree)
{
    const double v[12] = {0, 1, 0, -1, 0, 0, 0, 0, 1, 0.1, 0, 0};
    ON_Xform x;
    for (int r = 0; r < 3; r++)
    {
        for (int c = 0; c < 3; c++)
        {
            x[r][c] = v[3 * c + r];
        }
        x[r][3] = v[9 + r];
    }
    EXPECT_TRUE(BitExact(x * ON_3dPoint(1, 0, 0), ON_3dPoint(0.1, 1, 0)));
    EXPECT_TRUE(BitExact(x * ON_3dVector(1, 0, 0), ON_3dVector(0, 1, 0)));
}

TEST(Xform, MinusQuarterTurnAboutXIsExact)
{
    ON_Xform rot;
    rot.Rotation(-1.5707963267948966, ON_3dVector(1, 0, 0), ON_origin);
    const double expected[4][4] = {{1, 0, 0, 0}, {0, 0, 1, 0}, {0, -1, 0, 0}, {0, 0, 0, 1}};
    for (int r = 0; r < 4; r++)
    {
        for (int c = 0; c < 4; c++)
        {
            EXPECT_EQ(rot[r][c], expected[r][c]) << r << "," << c;
        }
    }
    EXPECT_TRUE(BitExact(rot * ON_3dPoint(1, 2, 3), ON_3dPoint(1, 3, -2)));
}

TEST(Xform, RotationAboutACentreKeepsTheCentre)
{
    ON_Xform rot;
    rot.Rotation(0.7, ON_3dVector(0, 0, 5), ON_3dPoint(2, 3, 4));
    const ON_3dPoint centre = rot * ON_3dPoint(2, 3, 4);
    EXPECT_NEAR(centre.x, 2, 1e-15);
    EXPECT_NEAR(centre.y, 3, 1e-15);
    EXPECT_EQ(centre.z, 4);
    EXPECT_NEAR(rot.Determinant(), 1.0, 1e-15);
}

TEST(Xform, RotationNormalisesAnOffUnitSinCosPair)
{
    ON_Xform rot;
    rot.Rotation(3.0, 4.0, ON_zaxis, ON_origin);
    const ON_3dPoint p = rot * ON_3dPoint(1, 0, 0);
    EXPECT_NEAR(p.x, 0.8, 1e-15);
    EXPECT_NEAR(p.y, 0.6, 1e-15);
}

TEST(Xform, TranslationAndDivisionByW)
{
    ON_Xform t;
    t.Translation(ON_3dVector(1, 2, 3));
    EXPECT_EQ(t * ON_3dPoint(1, 1, 1), ON_3dPoint(2, 3, 4));
    EXPECT_EQ(t * ON_3dVector(1, 1, 1), ON_3dVector(1, 1, 1));
    ON_Xform scale(1.0);
    scale[3][3] = 2.0;
    EXPECT_EQ(scale * ON_3dPoint(2, 4, 6), ON_3dPoint(1, 2, 3));
}
