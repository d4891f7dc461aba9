// asin and acos. First tier: Taylor sums of asin at i/256 up to 1/2, and beyond it
// asin x = pi/2 - 2 asin(sqrt((1 - x)/2)) (relative error below 2^-68). Second tier: the angle of
// the legs (x, sqrt(1 - x^2)), 1 - x^2 exact as a double-double and its root good to 2^-100, so
// the arctangent's bound holds (below 2^-70). The slow path takes the root to 288 bits and runs
// the arctangent's Newton step.
#include "scalar/elementary.h"
#include "scalar/elementary_internal.h"

namespace {

// First tier: asin(c + d) for c = i/256 <= 1/2 as asin(c) to 107 bits, then its Taylor
// coefficients at c (the first as 26 bits and a remainder), from 90-digit decimal arithmetic.
constexpr double Talp_AsinTaylorTable[129][11] = {
    {0x0.0p+0, 0x0.0p+0, 0x1.0000000000000p+0, 0x0.0p+0, 0x0.0p+0, 0x1.5555555555555p-3, 0x0.0p+0,
     0x1.3333333333333p-4, 0x0.0p+0, 0x1.6db6db6db6db7p-5, 0x0.0p+0},
    {0x1.00002aaabdddfp-8, -0x1.ad18dfe48fd32p-62, 0x1.0000800000000p+0, 0x1.8001400118010p-34,
     0x1.00018001e0023p-9, 0x1.555b5561d569cp-3, 0x1.8006400f501d9p-10, 0x1.3342337073d89p-4,
     0x1.400a357eadcc7p-10, 0x1.6dd9dc59fa946p-5, 0x1.180ec45956678p-10},
    {0x1.0000aaabdde0cp-7, -0x1.ab2904d668b9dp-61, 0x1.0002000000000p+0, 0x1.80050011803f0p-30,
     0x1.0006001e008c0p-8, 0x1.556d561d5a702p-3, 0x1.801900f507623p-9, 0x1.336f37075c8cap-4,
     0x1.4028d7eaf31d7p-9, 0x1.6e42ea32a51ebp-5, 0x1.183b1595a9e18p-9},
    {0x1.800240091cfdap-7, -0x1.c7305887fe505p-64, 0x1.0004800000000p+0, 0x1.e60e3d7023ec5p-28,
     0x1.801440e3d9586p-8, 0x1.558b594a0f7c1p-3, 0x1.202a33a27b15fp-8, 0x1.33ba46964a456p-4,
     0x1.e089e3a140f02p-9, 0x1.6ef2263891715p-5, 0x1.a4c7806bd790ep-9},
    {0x1.0002aabdde94cp-6, 0x1.130cd26cdfa37p-62, 0x1.0008008000000p+0, -0x1.ffaffb9fc0fc6p-28,
     0x1.001801e023027p-7, 0x1.55b561d69c1d9p-3, 0x1.80640f51d8b1ap-8, 0x1.3423707d8a98bp-4,
     0x1.40a37eb4c82d1p-8, 0x1.6fe7c7e95018dp-5, 0x1.18ec996b7bac0p-8},
    {0x1.4005358ff0bd8p-6, -0x1.3535f7d78211ap-61, 0x1.000c810000000p+0, -0x1.58ceb8e9fcafcp-28,
     0x1.402ee5b97ef6fp-7, 0x1.55eb73deb427ep-3, 0x1.e0c37ec3b2803p-8, 0x1.34aac8e3e936fp-4,
     0x1.913f80fa00224p-8, 0x1.71241d1968bfdp-5, 0x1.5fce7e09e738ap-8},
    {0x1.80090091d9024p-6, 0x1.1158c93fa3e42p-62, 0x1.0012020000000p+0, -0x1.9c704fd16d45bp-28,
     0x1.80510e3f5660bp-7, 0x1.562d94abe13acp-3, 0x1.20a8fa3388484p-7, 0x1.355069bd129a9p-4,
     0x1.e2287a739b8e7p-8, 0x1.72a78a19349c5p-5, 0x1.a71fffddfaf5ep-8},
    {0x1.c00e4be5f0304p-6, 0x1.8d9822a9352bep-60, 0x1.0018838000000p+0, 0x1.3bed58678e2fap-30,
     0x1.c080becd28c24p-7, 0x1.567bcab6864e1p-3, 0x1.510c75d818100p-7, 0x1.361472d1cef2cp-4,
     0x1.19b702b0242fap-7, 0x1.747289e46a247p-5, 0x1.eef7e5a2c21f6p-8},
    {0x1.000aabde0b9c8p-5, 0x1.d6d94551be3e9p-61, 0x1.0020060000000p+0, 0x1.40460fc39cd6bp-32,
     0x1.00601e08c276bp-6, 0x1.56d61da71d91fp-3, 0x1.8190f57651b41p-7, 0x1.36f709ca192f4p-4,
     0x1.428fecb2dd781p-7, 0x1.7685ae5c79889p-5, 0x1.1bb69af2382f9p-7},
    {0x1.200f3229fdf2cp-5, -0x1.e64678dc83d79p-62, 0x1.0028898000000p+0, 0x1.ee96f1e0fd2b0p-28,
     0x1.2088e62397e01p-6, 0x1.573c9657b108bp-3, 0x1.b23b428d71d08p-7, 0x1.37f85a3916f82p-4,
     0x1.6ba6e84d28233p-7, 0x1.78e1a08de0a8bp-5, 0x1.404ba106d43aep-7},
    {0x1.4014d8ffaf8afp-5, -0x1.3090b48c9545fp-59, 0x1.00320e8000000p+0, 0x1.5632ae734c314p-27,
     0x1.40bbdbb74b84cp-6, 0x1.57af3ed58e51cp-3, 0x1.e3102de2f6308p-7, 0x1.391895aaf7410p-4,
     0x1.9503f64f88efbp-7, 0x1.7b872100a4955p-5, 0x1.6546d8d346a27p-7},
    {0x1.601bc0922e634p-5, 0x1.19e216f0d8af1p-59, 0x1.003c958000000p+0, -0x1.4a7cd4ba3af2cp-30,
     0x1.60fa23c3cdddcp-6, 0x1.582e226336309p-3, 0x1.0a0a48395e5b1p-6, 0x1.3a57f3b4be11ap-4,
     0x1.beaf2de6487ecp-7, 0x1.7e770814262fcp-5, 0x1.8ab446e69b690p-7},
    {0x1.8024091fdb0a9p-5, 0x1.80650020adbcap-60, 0x1.00481e8000000p+0, -0x1.1bbfa6bf14d46p-28,
     0x1.8144e465df560p-6, 0x1.58b94d7a886dep-3, 0x1.22a6a630e08e8p-6, 0x1.3bb6b206050e7p-4,
     0x1.e8b0bf3a8df99p-7, 0x1.81b246668f2e5p-5, 0x1.b0a02677abecbp-7},
    {0x1.a02dd2f38ebf6p-5, -0x1.21775a5ea9faap-59, 0x1.0054aa0000000p+0, -0x1.28e92c6a4f0e9p-28,
     0x1.a19d44f45da35p-6, 0x1.5950cdcf2cc3bp-3, 0x1.3b5fa6f9e43edp-6, 0x1.3d35147cb93b5p-4,
     0x1.09887b0fb78b5p-6, 0x1.8539e5481cb45p-5, 0x1.d716ef668d4dbp-7},
    {0x1.c0393e65c2c93p-5, 0x1.0d0a050c59955p-60, 0x1.0062388000000p+0, -0x1.6008de8adef31p-28,
     0x1.c2046e1dcdd94p-6, 0x1.59f4b251399b2p-3, 0x1.5437c642256dfp-6, 0x1.3ed3653adf6fbp-4,
     0x1.1eec1e6622f14p-6, 0x1.890f073a94d31p-5, 0x1.fe255c66be7dep-7},
    {0x1.e0466bddb929cp-5, -0x1.0f5d1ce9e5858p-59, 0x1.0070ca8000000p+0, -0x1.092c3aa234c50p-27,
     0x1.e27b8a06290c5p-6, 0x1.5aa50b3019744p-3, 0x1.6d3185c1764c8p-6, 0x1.4091f4be69f0dp-4,
     0x1.34878f52d2cc5p-6, 0x1.8d32e87d3cb4ap-5, 0x1.12ec38ab2f475p-6},
    {0x1.002abde953619p-4, 0x1.182e2dc6ddeedp-58, 0x1.0080608000000p+0, -0x1.7dce0630516c5p-27,
     0x1.0181e23278b7fp-5, 0x1.5b61e9ddafe71p-3, 0x1.864f6db9edae1p-6, 0x1.427119fb2aadbp-4,
     0x1.4a5f258b28dc2p-6, 0x1.91a6dfa5adec1p-5, 0x1.271ec0e36e2b1p-6},
    {0x1.103347666f892p-4, -0x1.6b150ed546e9cp-62, 0x1.0090fb0000000p+0, -0x1.a0a8649f4e9e5p-27,
     0x1.11cf2551caf8cp-5, 0x1.5c2b6111bf417p-3, 0x1.9f940d7a31ef0p-6, 0x1.44713276eea77p-4,
     0x1.60774c3cd2a66p-6, 0x1.966c5e45f2729p-5, 0x1.3bb11bddde9b1p-6},
    {0x1.203ce2b380cd3p-4, -0x1.9210506159851p-59, 0x1.00a29a8000000p+0, -0x1.71cc3a0fe01c9p-28,
     0x1.222625fe1536cp-5, 0x1.5d0184cd8fda0p-3, 0x1.b901fbe20c0bbp-6, 0x1.4692a267d026cp-4,
     0x1.76d4838c721f9p-6, 0x1.9b84f1a058475p-5, 0x1.50aa4d5224ee3p-6},
    {0x1.3047a02794911p-4, -0x1.d6b1ea5a7dd6bp-58, 0x1.00b5400000000p+0, -0x1.c1a6214517b5bp-27,
     0x1.32877ccc3d599p-5, 0x1.5de46a5fda48bp-3, 0x1.d29bd7e96fc19p-6, 0x1.48d5d4d4ce7fdp-4,
     0x1.8d7b621e7eb22p-6, 0x1.a0f2436977781p-5, 0x1.66118b4a92befp-6},
    {0x1.405390240e6fdp-4, 0x1.1ed0159037972p-58, 0x1.00c8eb8000000p+0, 0x1.2d0898ede42c8p-28,
     0x1.42f3c358bf56fp-5, 0x1.5ed42868f5c98p-3, 0x1.ec64492a26c6ap-6, 0x1.4b3b3bb8bb4fdp-4,
     0x1.a47096ab28fccp-6, 0x1.a6b61a98ef9c9p-5, 0x1.7bee41e38745cp-6},
    {0x1.5060c31541da5p-4, 0x1.9d93daac249e9p-58, 0x1.00dd9e8000000p+0, -0x1.1e6a2182caa4ep-31,
     0x1.536b94579b139p-5, 0x1.5fd0d6df4c280p-3, 0x1.032f003627372p-5, 0x1.4dc350278e557p-4,
     0x1.bbb8e99e13319p-6, 0x1.acd25c496c8c2p-5, 0x1.9248173023bdcp-6},
    {0x1.606f49730ccc5p-4, 0x1.9850602873eadp-60, 0x1.00f3598000000p+0, -0x1.cec37e70afc47p-27,
     0x1.63ef8ba4795bbp-5, 0x1.60da8f1414a82p-3, 0x1.1045dc1aec3acp-5, 0x1.506e927632444p-4,
     0x1.d3593ec2b82bfp-6, 0x1.b3490ca88d53ap-5, 0x1.a926ef4735a44p-6},
    {0x1.707f33c173a99p-4, -0x1.08661d0497936p-58, 0x1.010a1c8000000p+0, 0x1.9a4c4c8292470p-27,
     0x1.748046530b502p-5, 0x1.61f16bb8577a9p-3, 0x1.1d781aaea095fp-5, 0x1.533d8a64de43dp-4,
     0x1.eb5696fe641d6p-6, 0x1.ba1c4ff754466p-5, 0x1.c092f07b5e004p-6},
    {0x1.809092913e52ep-4, 0x1.cf6b1f9befb16p-60, 0x1.0121e98000000p+0, 0x1.650546842a2f2p-28,
     0x1.851e62bfa7b80p-5, 0x1.631588e23b648p-3, 0x1.2ac723cfd763cp-5, 0x1.5630c74c11239p-4,
     0x1.01db090c55949p-5, 0x1.c14e6b9bd36ddp-5, 0x1.d89487c1a54c1p-6},
    {0x1.90a3768096840p-4, 0x1.490d716da34b1p-58, 0x1.013ac10000000p+0, -0x1.ad62be90f847ep-27,
     0x1.95ca80a029bcbp-5, 0x1.644704129f5c3p-3, 0x1.3834651d57b20p-5, 0x1.5948e04c44b89p-4,
     0x1.0e3e7849aa377p-5, 0x1.c8e1c744d5b34p-5, 0x1.f1346d49d73c5p-6},
    {0x1.a0b7f03ba78acp-4, 0x1.649d95519e008p-58, 0x1.0154a30000000p+0, 0x1.a38ec1f8bd18bp-27,
     0x1.a685411514a9fp-5, 0x1.6585fc3b01f7dp-3, 0x1.45c15244e67e8p-5, 0x1.5c8674807153bp-4,
     0x1.1ad84ac95d74bp-5, 0x1.d0d8ee2052e5dp-5, 0x1.053dd4a6185aep-5},
    {0x1.b0ce107d3f690p-4, 0x1.f23930c39d637p-58, 0x1.016f920000000p+0, -0x1.e0c7b4d03e9b0p-27,
     0x1.b74f46bb00640p-5, 0x1.66d291c3b8a80p-3, 0x1.536f655418508p-5, 0x1.5fea2b337ac83p-4,
     0x1.27ab446bd8978p-5, 0x1.d93690258b500p-5, 0x1.1239cc880e80cp-5},
    {0x1.c0e5e80f7172dp-4, 0x1.d8eeba8bc0030p-58, 0x1.018b8d8000000p+0, -0x1.bb4fefd40d50fp-29,
     0x1.c82935bc525d2p-5, 0x1.682ce69278d34p-3, 0x1.61401f0b4814ap-5, 0x1.6374b418a219cp-4,
     0x1.34ba3c6600d13p-5, 0x1.e1fd8373b6ebfp-5, 0x1.1f92fa17fafa0p-5},
    {0x1.d0ff87cc3a7a5p-4, -0x1.6ed5a3f89d96ap-59, 0x1.01a8978000000p+0, -0x1.e88786295b565p-27,
     0x1.d913b3e346efap-5, 0x1.69951e1135088p-3, 0x1.6f350732d1f82p-5, 0x1.6726c78718976p-4,
     0x1.42081e5158fb0p-5, 0x1.eb30c5c6448d1p-5, 0x1.2d4e690efac7fp-5},
    {0x1.e11b009e269b5p-4, 0x1.865800d58cefcp-59, 0x1.01c6b08000000p+0, -0x1.dc82e082ab4ddp-27,
     0x1.ea0f68ac4f197p-5, 0x1.6b0b5d35509b3p-3, 0x1.7d4facf2b2287p-5, 0x1.6b0126b8d2ee9p-4,
     0x1.4f97eb469f979p-5, 0x1.f4d37dffb6899p-5, 0x1.3b7157f763794p-5},
    {0x1.f1386380f8b9ap-4, 0x1.2716c4af7554ep-58, 0x1.01e5d98000000p+0, 0x1.eb204688bdfeep-29,
     0x1.fb1cfd58c6b63p-5, 0x1.6c8fca872c1e4p-3, 0x1.8b91a72ca897fp-5, 0x1.6f049c0cbc9c2p-4,
     0x1.5d6cbb038b45bp-5, 0x1.fee8fdcc3cad4p-5, 0x1.4a013b373433cp-5},
    {0x1.00abe0c129e1ep-3, 0x1.7ceb0ee49d42ap-60, 0x1.0206148000000p+0, -0x1.c802b327c9bafp-27,
     0x1.061e8e8103b88p-4, 0x1.6e228e2a0d52fp-3, 0x1.99fc94d904350p-5, 0x1.7331fb4c6e147p-4,
     0x1.6b89bd1c4ff93p-5, 0x1.04ba61ae9f4bbp-4, 0x1.5903c0422cd36p-5},
    {0x1.08bc95e132e6fp-3, 0x1.8ca3d5b6e0423p-58, 0x1.0227618000000p+0, 0x1.978f0acf9a939p-28,
     0x1.0eb83a566e63dp-4, 0x1.6fc3d1e465468p-3, 0x1.a8921d6639631p-5, 0x1.778a21f58a06dp-4,
     0x1.79f23a399ffb5p-5, 0x1.0a3d3d9f8f165p-4, 0x1.687ed0f62ff10p-5},
    {0x1.10ce59ba4a8c4p-3, -0x1.ecbd1cfea3329p-61, 0x1.0249c28000000p+0, 0x1.fdd2d2488b702p-27,
     0x1.175bd9aeaecd4p-4, 0x1.7173c128777a3p-3, 0x1.b753f11b68fb6p-5, 0x1.7c0df786e847dp-4,
     0x1.88a99563e4f56p-5, 0x1.0fff012547c8ep-4, 0x1.78789724bee36p-5},
    {0x1.18e134f0178afp-3, 0x1.e8366fb31c741p-57, 0x1.026d390000000p+0, -0x1.22ea0c43591ebp-31,
     0x1.2009c51597f42p-4, 0x1.7332891d651bep-3, 0x1.c643c97dfea86p-5, 0x1.80be6dd1b7310p-4,
     0x1.97b34d5c77264p-5, 0x1.1601b3d97daa3p-4, 0x1.88f7804c8c30bp-5},
    {0x1.20f530308cc20p-3, -0x1.ed63934b583b4p-57, 0x1.0291c58000000p+0, 0x1.148a5c4cdd9a2p-27,
     0x1.28c2562b1dbb8p-4, 0x1.750058a89f789p-3, 0x1.d56369ba8f121p-5, 0x1.859c814ebea71p-4,
     0x1.a712fe05a369dp-5, 0x1.1c477799bc02ap-4, 0x1.9a02418651aecp-5},
    {0x1.290a543442d6ap-3, -0x1.d1c5881b1ed75p-60, 0x1.02b76a0000000p+0, 0x1.13cd8d9d2b0bap-29,
     0x1.3185e7ade82bfp-4, 0x1.76dd6077c4feep-3, 0x1.e4b49f11200dep-5, 0x1.8aa93977f279bp-4,
     0x1.b6cc61da5bf0ep-5, 0x1.22d289ae01634p-4, 0x1.ab9fdba84bf6dp-5},
    {0x1.3120a9bed2f46p-3, -0x1.c02be339d3487p-57, 0x1.02de278000000p+0, 0x1.5aa91e65a73e7p-28,
     0x1.3a54d586232bap-4, 0x1.78c9d30aec511p-3, 0x1.f439414506dbfp-5, 0x1.8fe5a9268475dp-4,
     0x1.c6e353767b7e1p-5, 0x1.29a544005d1bfp-4, 0x1.bdd79fa3f5210p-5},
    {0x1.3938399f32b5cp-3, -0x1.75f32343248f7p-57, 0x1.0305ff8000000p+0, 0x1.d87780f991ab5p-27,
     0x1.432f7cd08d4c2p-4, 0x1.7ac5e4bf61134p-3, 0x1.01f9998845356p-4, 0x1.9552eef5a94d6p-4,
     0x1.d75bcf308fb8dp-5, 0x1.30c21e667e75fp-4, 0x1.d0b13321d53c3p-5},
    {0x1.41510cb011423p-3, -0x1.15d675180eda8p-58, 0x1.032ef40000000p+0, -0x1.4479a7e460cecp-29,
     0x1.4c163be9c863ep-4, 0x1.7cd1cbdad651ap-3, 0x1.09f2314e3cd56p-4, 0x1.9af235aa4669dp-4,
     0x1.e839f4c62cc13p-5, 0x1.382baffe36223p-4, 0x1.e434955f7ffe2p-5},
    {0x1.496b2bd835ab9p-3, -0x1.5f053e118fc40p-60, 0x1.0359060000000p+0, -0x1.87e6705049275p-27,
     0x1.55097279eec0cp-4, 0x1.7eedc097128c8p-3, 0x1.120764fdf4128p-4, 0x1.a0c4b49fc1d9cp-4,
     0x1.f982091bdaa6ap-5, 0x1.3fe4b09dfb330p-4, 0x1.f86a24541d073p-5},
    {0x1.5186a00ade974p-3, 0x1.4d5f66b2b5c3cp-59, 0x1.0384370000000p+0, -0x1.24070bf1c51b1p-27,
     0x1.5e0981806fdadp-4, 0x1.8119fd2e19a92p-3, 0x1.1a3a37d622ab8p-4, 0x1.a6cbb03a30d41p-4,
     0x1.059c3c08de6b3p-4, 0x1.47effa5a97023p-4, 0x1.06ad5110119c0p-4},
    {0x1.59a37248233eap-3, 0x1.30e1789226732p-60, 0x1.03b0888000000p+0, 0x1.e409706f730b9p-27,
     0x1.6716cb603786fp-4, 0x1.8356bde6d93e5p-3, 0x1.228bb38d02e07p-4, 0x1.ad087a5e24c33p-4,
     0x1.0eb0eb3712049p-4, 0x1.50508b232ea6fp-4, 0x1.11879d66a02bep-4},
    {0x1.61c1ab9d55d30p-3, -0x1.95a37debb0f64p-57, 0x1.03ddfd0000000p+0, 0x1.f9dd12fc6d4bap-28,
     0x1.7031b3ec22c6ap-4, 0x1.85a441225beb2p-3, 0x1.2afce8950b937p-4, 0x1.b37c72ee5a759p-4,
     0x1.180171efa661ap-4, 0x1.59098674f52e2p-4, 0x1.1cc8c531de934p-4},
    {0x1.69e1552567517p-3, 0x1.862b5acd13ce5p-57, 0x1.040c958000000p+0, 0x1.f7dbe86272dcfp-27,
     0x1.795aa073c56c8p-4, 0x1.8802c769889fdp-3, 0x1.338eee642e1f4p-4, 0x1.ba29084f92f49p-4,
     0x1.2190468acf988p-4, 0x1.621e3727e7c29p-4, 0x1.2875d1ad85b09p-4},
    {0x1.720278094cd3cp-3, 0x1.fa81a09cedb07p-57, 0x1.043c548000000p+0, -0x1.e7ced15a49759p-28,
     0x1.8291f7d083edbp-4, 0x1.8a72937b7300dp-3, 0x1.3c42e3bdb76e1p-4, 0x1.c10fb7f2e19cep-4,
     0x1.2b5ff6fbec8c7p-4, 0x1.6b9211560c6d4p-4, 0x1.34940ab5c7deap-4},
    {0x1.7a251d80666abp-3, -0x1.9c0a0c0c668d0p-58, 0x1.046d3b0000000p+0, -0x1.27707c81ee380p-27,
     0x1.8bd8227304d5ep-4, 0x1.8cf3ea5c424a4p-3, 0x1.4519eefef5627p-4, 0x1.c8320ee6bf6efp-4,
     0x1.357329f94ff33p-4, 0x1.7568b45ec5351p-4, 0x1.4128fa6413034p-4},
    {0x1.82494ed0e78fcp-3, -0x1.443c2697a7d2fp-57, 0x1.049f4b0000000p+0, 0x1.95b676ddc4833p-29,
     0x1.952d8a70fd76cp-4, 0x1.8f871364b45f7p-3, 0x1.4e153e6ec33c2p-4, 0x1.cf91aa6f3828bp-4,
     0x1.3fcca03287c26p-4, 0x1.7fa5ed07e4435p-4, 0x1.4e3a70e328fa4p-4},
    {0x1.8a6f1550413c4p-3, 0x1.3268eac79ea67p-57, 0x1.04d2870000000p+0, -0x1.b46412065ff7cp-28,
     0x1.9e929b935d8cbp-4, 0x1.922c585242f89p-3, 0x1.573608902158fp-4, 0x1.d73038a58a9b9p-4,
     0x1.4a6f3595f97a5p-4, 0x1.8a4db7be4a740p-4, 0x1.5bce887e4651ap-4},
    {0x1.92967a638db38p-3, -0x1.9cd53f748193ep-60, 0x1.0506f08000000p+0, -0x1.068bc6489412cp-27,
     0x1.a807c364ddb88p-4, 0x1.94e40557f12a7p-3, 0x1.607d8c77fe7b1p-4, 0x1.df0f791f9ae05p-4,
     0x1.555de2a6b6b17p-4, 0x1.956442f7f8844p-4, 0x1.69eba9ef52c8cp-4},
    {0x1.9abf877ffe0e8p-3, -0x1.b5aa8885e05b4p-57, 0x1.053c898000000p+0, 0x1.74af246385c68p-30,
     0x1.b18d7140f4d40p-4, 0x1.97ae692fc7d3dp-3, 0x1.69ed12265aa66p-4, 0x1.e7313d9f9a867p-4,
     0x1.609bbde37b101p-4, 0x1.a0edf1b99c0a9p-4, 0x1.789890f05fbd4p-4},
    {0x1.a2ea462b4998ep-3, -0x1.51d494caa9d70p-57, 0x1.0573548000000p+0, -0x1.f135415393d2ep-29,
     0x1.bb241663384e7p-4, 0x1.9a8bd52d07cd0p-3, 0x1.7385eae2eda93p-4, 0x1.ef976acc50af3p-4,
     0x1.6c2bfd3fd3a39p-4, 0x1.acef5e41c4bcap-4, 0x1.87dc51150705ep-4},
    {0x1.ab16bffc1f0ddp-3, -0x1.16472c3e1c004p-57, 0x1.05ab538000000p+0, -0x1.d6837636d4170p-27,
     0x1.c4cc25f72be96p-4, 0x1.9d7c9d4f190c8p-3, 0x1.7d49719d7d85cp-4, 0x1.f843f8f272342p-4,
     0x1.7811f7b07f2edp-4, 0x1.b96d5cdc1467ap-4, 0x1.97be5af091372p-4},
    {0x1.b344fe9a97c4dp-3, 0x1.17c005e947d2bp-58, 0x1.05e4880000000p+0, 0x1.c4cf9e6c5192dp-27,
     0x1.ce861528855a6p-4, 0x1.a08118553e4f6p-3, 0x1.87390b521331fp-4, 0x1.009c7a67c0434p-3,
     0x1.845126cc27e66p-4, 0x1.c66cfedee49ecp-4, 0x1.a846818e255c3p-4},
    {0x1.bb750bc0acdefp-3, -0x1.244e3b92c7436p-58, 0x1.061ef58000000p+0, 0x1.c2eb6ee9b2d22p-29,
     0x1.d8525b33e883bp-4, 0x1.a3999fd315319p-3, 0x1.915627713e873p-4, 0x1.053c403356780p-3,
     0x1.90ed2881a8ff4p-4, 0x1.d3f395d608ba2p-4, 0x1.b97d0040a6711p-4},
    {0x1.c3a6f13aae84bp-3, -0x1.7739d10fe8bc1p-57, 0x1.065a9d8000000p+0, 0x1.8132e5aada23ap-28,
     0x1.e231717821274p-4, 0x1.a6c69045eb07ep-3, 0x1.9ba2404c9cc04p-4, 0x1.0a0269f0229f8p-3,
     0x1.9de9c0e525a3dp-4, 0x1.e206b6dd81823p-4, 0x1.cb6a80d04ce9fp-4},
    {0x1.cbdab8e7bd466p-3, 0x1.7b8d9e879e1eep-57, 0x1.0697828000000p+0, 0x1.c23dd2c43f70bp-27,
     0x1.ec23d387df2b4p-4, 0x1.aa08492aef36cp-3, 0x1.a61edb87d792ap-4, 0x1.0ef01f3a1b67dp-3,
     0x1.ab4adc154b671p-4, 0x1.f0ac3e2f2a1dbp-4, 0x1.de18220c7d025p-4},
    {0x1.d4106cba45b08p-3, 0x1.ee49ea61bfe56p-57, 0x1.06d5a78000000p+0, -0x1.ffa2b9c92fdddp-28,
     0x1.f629ff3bfabbcp-4, 0x1.ad5f2d164c2e3p-3, 0x1.b0cd8a8e55c3cp-4, 0x1.140693b01e9a9p-3,
     0x1.b914903a303dcp-4, 0x1.ffea52e69bc1bp-4, 0x1.f18f7ec8d61d6p-4},
    {0x1.dc4816b87e25ep-3, 0x1.f92bef1c8a889p-57, 0x1.07150e0000000p+0, 0x1.07ec9200062f8p-28,
     0x1.00223a6322e70p-3, 0x1.b0cba1cb30aadp-3, 0x1.bbafeb0dd91c5p-4, 0x1.194707752d5c9p-3,
     0x1.c74b1f9f537bep-4, 0x1.07e3b57f5fccbp-3, 0x1.02ed5aa67e7b0p-3},
    {0x1.e481c0fce7134p-3, 0x1.c9bcb7ab7132bp-62, 0x1.0755b98000000p+0, -0x1.277a793e4475dp-27,
     0x1.0539db627862bp-3, 0x1.b44e1054d3541p-3, 0x1.c6c7a77648ca0p-4, 0x1.1eb2c7b821295p-3,
     0x1.d5f2faea626fbp-4, 0x1.102527c6624eep-3, 0x1.0d82379f994c2p-3},
    {0x1.ecbd75b6cd8f0p-3, 0x1.afa2fb0a2a9b7p-57, 0x1.0797ac0000000p+0, -0x1.e6ac67b2890bfp-28,
     0x1.0a5c252b441bdp-3, 0x1.b7e6e5207b528p-3, 0x1.d216777eea9ecp-4, 0x1.244b2f4232695p-3,
     0x1.e510c3707c154p-4, 0x1.18bd109e3907dp-3, 0x1.188bf50933000p-3},
    {0x1.f4fb3f2ad079bp-3, 0x1.06aa46436695ap-58, 0x1.07dae88000000p+0, -0x1.4a682c5d523acp-27,
     0x1.0f895b9749073p-3, 0x1.bb9690189901ep-3, 0x1.dd9e20b151300p-4, 0x1.2a11a70caedc7p-3,
     0x1.f4a94dabcc202p-4, 0x1.21af2e890ba7fp-3, 0x1.241080008b698p-3},
    {0x1.fd3b27b368330p-3, 0x1.31d9600322487p-57, 0x1.081f718000000p+0, -0x1.ce9a1da53e71ap-32,
     0x1.14c1c3d56845fp-3, 0x1.bf5d84c0fa714p-3, 0x1.e96076fa48a37p-4, 0x1.3007a6de43c8dp-3,
     0x1.0260d1e9ba369p-3, 0x1.2aff70bb53a83p-3, 0x1.301618cf8b041p-3},
    {0x1.02be9ce0b87cdp-2, 0x1.e5d09da2e0f04p-58, 0x1.08654a0000000p+0, 0x1.6a7b6d40650abp-27,
     0x1.1a05a47498fd8p-3, 0x1.c33c3a5427fc0p-3, 0x1.f55f5d410ffb9p-4, 0x1.362eb5f045f67p-3,
     0x1.0aaf844bee781p-3, 0x1.34b1f9c970a7cp-3, 0x1.3ca358067b593p-3},
    {0x1.06e0bfee5c057p-2, 0x1.db5bbbadcccb2p-57, 0x1.08ac758000000p+0, -0x1.a71877a4ebeb1p-27,
     0x1.1f55456f3a123p-3, 0x1.c7332be1f5e5fp-3, 0x1.00ce6302987d5p-3, 0x1.3c886b9c67f8cp-3,
     0x1.13437d02d2ca4p-3, 0x1.3ecb227f61352p-3, 0x1.49bf33ec6b688p-3},
    {0x1.0b04025245cccp-2, 0x1.784cec5727455p-56, 0x1.08f4f60000000p+0, -0x1.7947ab2386574p-27,
     0x1.24b0f036c176ep-3, 0x1.cb42d86f588d9p-3, 0x1.070d5a01a69dap-3, 0x1.431670135636dp-3,
     0x1.1c1f9a48cdbc4p-3, 0x1.494f7ce56e308p-3, 0x1.5771064c87bd1p-3},
    {0x1.0f28696826d95p-2, -0x1.6b73b247c58d3p-60, 0x1.093ecf0000000p+0, -0x1.adc5502b99257p-27,
     0x1.2a18efbfccee8p-3, 0x1.cf6bc31789796p-3, 0x1.0d6d9d709df57p-3, 0x1.49da7d1cb77e5p-3,
     0x1.2546db281dcb4p-3, 0x1.5443d774cb227p-3, 0x1.65c092a72b3c1p-3},
    {0x1.134dfa9805147p-2, -0x1.bbe27a4ac52e2p-56, 0x1.098a038000000p+0, -0x1.4ecdcc7be196dp-27,
     0x1.2f8d908e98498p-3, 0x1.d3ae732e8c418p-3, 0x1.13f03ff0ec572p-3, 0x1.50d65ee118d16p-3,
     0x1.2ebc612dbc4d4p-3, 0x1.5fad407f66227p-3, 0x1.74b60ccdf5a33p-3},
    {0x1.1774bb5687cf9p-2, -0x1.a2fb3e84f654ap-56, 0x1.09d6968000000p+0, 0x1.3405416dc1fb7p-27,
     0x1.350f20c3dd549p-3, 0x1.d80b7465231cbp-3, 0x1.1a965d5074d29p-3, 0x1.580bf4be5380fp-3,
     0x1.38837234d43a6p-3, 0x1.6b9109ce5e94fp-3, 0x1.845a1ff2c80f8p-3},
    {0x1.1b9cb12545e62p-2, -0x1.7f2d0bf1d1630p-57, 0x1.0a248c0000000p+0, 0x1.20673371f0134p-32,
     0x1.3a9df02a21e16p-3, 0x1.dc8356ee43a9bp-3, 0x1.21611aebc421bp-3, 0x1.5f7d322705a2bp-3,
     0x1.429f7a4c5844dp-3, 0x1.77f4cc7adb84cp-3, 0x1.94b5f63227ca6p-3},
    {0x1.1fc5e19315893p-2, -0x1.4b10824670d24p-65, 0x1.0a73e68000000p+0, 0x1.ffc5bfe461e1ap-27,
     0x1.403a504378844p-3, 0x1.e116afa61d6b5p-3, 0x1.2851a814bf6c7p-3, 0x1.672c1f8dbe81cp-3,
     0x1.4d140db85eae7p-3, 0x1.84de6d0541066p-3, 0x1.a5d340a235249p-3},
    {0x1.23f0523c5dc2bp-2, 0x1.4fc2674a3d6b2p-59, 0x1.0ac4aa8000000p+0, -0x1.735206a271885p-27,
     0x1.45e49457b8d60p-3, 0x1.e5c6183ac4587p-3, 0x1.2f693e7e09901p-3, 0x1.6f1adb5c8ae8ap-3,
     0x1.57e4eb1106519p-3, 0x1.92541faf106e5p-3, 0x1.b7bc3ff02093bp-3},
    {0x1.281c08cb69be8p-2, 0x1.1a06e50610d28p-59, 0x1.0b16da0000000p+0, 0x1.cc7eb603294c0p-27,
     0x1.4b9d11833443fp-3, 0x1.ea922f5692d71p-3, 0x1.36a922ab5e8e7p-3, 0x1.774b9af99813fp-3,
     0x1.6315fd80c7806p-3, 0x1.a05c6d1c11972p-3, 0x1.ca7bcd96d4f73p-3},
    {0x1.2c490af8bde81p-2, -0x1.61b192e95f88bp-56, 0x1.0b6a7a0000000p+0, 0x1.102909d98572fp-28,
     0x1.51641ec5ecb25p-3, 0x1.ef7b98cc57818p-3, 0x1.3e12a46728775p-3, 0x1.7fc0abd9afcf4p-3,
     0x1.6eab5f2434e4ep-3, 0x1.aefe373fbc9dcp-3, 0x1.de1d65ba6c58bp-3},
    {0x1.30775e8b6eeb9p-2, 0x1.0b08737cd3bb3p-56, 0x1.0bbf8d8000000p+0, 0x1.c1e5e15fa9a86p-30,
     0x1.573a151352745p-3, 0x1.f482fdc56427dp-3, 0x1.45a71f3d95096p-3, 0x1.887c74a15cc1ep-3,
     0x1.7aa95b8d549f9p-3, 0x1.be40be9c3bda4p-3, 0x1.f2ad31b4f6548p-3},
    {0x1.34a709597aab1p-2, -0x1.70f1371722985p-56, 0x1.0c16188000000p+0, -0x1.eca6ee8bcef5fp-28,
     0x1.5d1f4f628f5f2p-3, 0x1.f9a90cf194a64p-3, 0x1.4d67fafd77761p-3, 0x1.9181765593578p-3,
     0x1.8714726ce0ad8p-3, 0x1.ce2ba7d8c6267p-3, 0x1.041c09b10f33bp-2},
    {0x1.38d8114823369p-2, 0x1.bf6444858ac43p-58, 0x1.0c6e1e8000000p+0, -0x1.ee6d955f78eddp-31,
     0x1.63142abf6502cp-3, 0x1.feee7ab9655fcp-3, 0x1.5556ac3f4622ep-3, 0x1.9ad24d9cca034p-3,
     0x1.93f15a63e767ep-3, 0x1.dec701b5825adp-3, 0x1.0f65d89c2f508p-2},
    {0x1.3d0a7c4c4bd9cp-2, -0x1.87f647bb796d8p-58, 0x1.0cc7a40000000p+0, -0x1.a08d91ce98c6ep-27,
     0x1.6919065ba45d0p-3, 0x1.022a00b919398p-2, 0x1.5d74b4f289006p-3, 0x1.a471b4117af94p-3,
     0x1.a145040071e97p-3, 0x1.f01b4b639f1dfp-3, 0x1.1b3b419fd173bp-2},
    {0x1.413e506ad84eep-2, 0x1.71db7c5df9586p-56, 0x1.0d22ac8000000p+0, -0x1.19bf10ee2ab17p-27,
     0x1.6f2e43a145a81p-3, 0x1.04ed30ca5d0f6p-2, 0x1.65c3a4f212194p-3, 0x1.ae6281a719eb4p-3,
     0x1.af149ce8069edp-3, 0x1.0118bda4673e8p-2, 0x1.27a3f07b4a37ap-2},
    {0x1.457393b90e2aap-2, 0x1.b1f64d329fe98p-56, 0x1.0d7f3c8000000p+0, -0x1.63d71e8195634p-27,
     0x1.755446452737bp-3, 0x1.07c130faff1d6p-2, 0x1.6e451a9f5f5c3p-3, 0x1.b8a7ae2299f55p-3,
     0x1.bd659333127ffp-3, 0x1.0a89831af219ep-2, 0x1.34a8081c9b80bp-2},
    {0x1.49aa4c5cf8926p-2, 0x1.c1d2f6ce8524bp-56, 0x1.0ddd580000000p+0, -0x1.1cd97c560c417p-28,
     0x1.7b8b745a7aae1p-3, 0x1.0aa6680151181p-2, 0x1.76fac3858a5edp-3, 0x1.c34452a7b2ce7p-3,
     0x1.cc3d98fc7bc4fp-3, 0x1.1464f38c78871p-2, 0x1.42502a9e8a7c2p-2},
    {0x1.4de2808dce513p-2, 0x1.ba77dda083efap-58, 0x1.0e3d038000000p+0, 0x1.2bf3db73c96a5p-30,
     0x1.81d43666e82bep-3, 0x1.0d9d3ffe723f7p-2, 0x1.7fe65d0430f6dp-3, 0x1.ce3bab5c2894ep-3,
     0x1.dba2a828dda52p-3, 0x1.1eb05399ef3cbp-2, 0x1.50a581dc776c2p-2},
    {0x1.521c36945a5f2p-2, -0x1.5e7e018b26645p-57, 0x1.0e9e438000000p+0, 0x1.29e059c03ce94p-29,
     0x1.882ef7776f7f0p-3, 0x1.10a6269eaa496p-2, 0x1.8909b502c809fp-3, 0x1.d99119226f4d5p-3,
     0x1.eb9b06692e3e8p-3, 0x1.29713370a2341p-2, 0x1.5fb1c8a7e1c3ap-2},
    {0x1.565774cb66f02p-2, -0x1.c537759c5cce1p-56, 0x1.0f011c8000000p+0, 0x1.2f03b3c4370d4p-29,
     0x1.8e9c25360fb82p-3, 0x1.13c18d3b33bfap-2, 0x1.9266aaacd0ef5p-3, 0x1.e548236d1a856p-3,
     0x1.fc2d497cd6888p-3, 0x1.34ad7378fd33bp-2, 0x1.6f7f54ac89338p-2},
    {0x1.5a9441a02b1fdp-2, -0x1.35e8dbcb0816cp-56, 0x1.0f65930000000p+0, 0x1.729d7d0484016p-27,
     0x1.951c30003dfa7p-3, 0x1.16efe8fd8814cp-2, 0x1.9bff2f37712c7p-3, 0x1.f1647a2ca29aap-3,
     0x1.06b02ddbc8514p-2, 0x1.406b49575e4c6p-2, 0x1.801921113aa2dp-2},
    {0x1.5ed2a392bb50fp-2, 0x1.feb5a76d36567p-56, 0x1.0fcbac0000000p+0, 0x1.ebd3ff4ab16fcp-27,
     0x1.9baf8afe34c8ep-3, 0x1.1a31b30440bbep-2, 0x1.a5d546b0f4477p-3, 0x1.fde9f7d924161p-3,
     0x1.0f9dc067d9b3fp-2, 0x1.4cb1454513f0cp-2, 0x1.918ad9e49103fp-2},
    {0x1.6312a1367c57cp-2, -0x1.e8ea4df76e5b6p-60, 0x1.10336c8000000p+0, 0x1.9ab3f957a7f42p-28,
     0x1.a256ac3b258b8p-3, 0x1.1d876889a1a53p-2, 0x1.afeb08dac7ea8p-3, 0x1.056e51cced3efp-2,
     0x1.18e32d7cf5bb7p-2, 0x1.598657c827cd9p-2, 0x1.a3e0e86648353p-2},
    {0x1.675441329986ep-2, 0x1.d027ed2bb2edap-56, 0x1.109cd98000000p+0, -0x1.e3ccce304bc5dp-27,
     0x1.a9120cbe5685ep-3, 0x1.20f18b0be2ac0p-2, 0x1.ba42a20e8ba32p-3, 0x1.0c2059c61b8f2p-2,
     0x1.2284782be1355p-2, 0x1.66f1d7d122428p-2, 0x1.b728803f36897p-2},
    {0x1.6b978a427db95p-2, -0x1.b1dd0afc579e2p-57, 0x1.1107f78000000p+0, -0x1.2d7c5c261edfdp-27,
     0x1.afe228a537fb2p-3, 0x1.2470a0774ebf0p-2, 0x1.c4de542ed741bp-3, 0x1.130d47964ae1dp-2,
     0x1.2c85d85f5ebc4p-2, 0x1.74fb8946894c1p-2, 0x1.cb6fadbb9b7adp-2},
    {0x1.6fdc83364f719p-2, 0x1.cc49c4fdd8042p-56, 0x1.1174cc0000000p+0, 0x1.cbadbff12bc39p-28,
     0x1.b6c77f3e7bca2p-3, 0x1.2805335250db9p-2, 0x1.cfc077a4653cfp-3, 0x1.1a3768f15ab37p-2,
     0x1.36ebbdef26e00p-2, 0x1.83aba406820cap-2, 0x1.e0c5651d32f29p-2},
    {0x1.742332f3702b4p-2, 0x1.87e8e9ef7b2ffp-57, 0x1.11e35d0000000p+0, -0x1.64c31308e374dp-28,
     0x1.bdc293263b60dp-3, 0x1.2bafd2eb885aap-2, 0x1.daeb7c68599cfp-3, 0x1.21a126da20ca3p-2,
     0x1.41bad3e5a385ep-2, 0x1.930adb67af2fbp-2, 0x1.f739931c6886ap-2},
    {0x1.786ba074fef93p-2, -0x1.73b1910f90a93p-56, 0x1.1253af8000000p+0, -0x1.f616257ea2decp-27,
     0x1.c4d3ea6338818p-3, 0x1.2f711389ff8a4p-2, 0x1.e661eb1c69d77p-3, 0x1.294d070ff18d9p-2,
     0x1.4cf803fc0b3cfp-2, 0x1.a322664329898p-2, 0x1.076e975910b62p-1},
    {0x1.7cb5d2cc5e8edp-2, -0x1.1b526c99fd02ep-58, 0x1.12c5c90000000p+0, -0x1.d5a61718f5ae4p-27,
     0x1.cbfc0e8545fe9p-3, 0x1.33498e9fa1258p-2, 0x1.f2266631b6c7bp-3, 0x1.313dad91bdca9p-2,
     0x1.58a87a50c12b2p-2, 0x1.b3fc079245257p-2, 0x1.13e12622f1cd8p-1},
    {0x1.8101d121bed2dp-2, 0x1.1db04b2b75f1fp-58, 0x1.1339af0000000p+0, 0x1.d5527419d37cep-27,
     0x1.d33b8cc4e63e5p-3, 0x1.3739e2fe0aea9p-2, 0x1.fe3bab1f37947p-3, 0x1.3975de382fefbp-2,
     0x1.64d1a95c2c394p-2, 0x1.c5a217abbd278p-2, 0x1.20fe192f550b5p-1},
    {0x1.854fa2b4aa1a3p-2, -0x1.a3ef44d643855p-58, 0x1.13af688000000p+0, 0x1.3db13b2895b1cp-29,
     0x1.da92f6242e154p-3, 0x1.3b42b50ddd5c5p-2, 0x1.055249d4517f3p-2, 0x1.41f87e684cf4ep-2,
     0x1.71794e288cc74p-2, 0x1.d81f8e2cde5cbp-2, 0x1.2ecfb7fbbfd63p-1},
    {0x1.899f4edc962d3p-2, 0x1.3e919701b7c6dp-60, 0x1.1426fb0000000p+0, -0x1.fcd592a1299bap-27,
     0x1.e202df90fb4b1p-3, 0x1.3f64af08aaa6ap-2, 0x1.0bb20b9b6a221p-2, 0x1.4ac896e03961dp-2,
     0x1.7ea574d1b4122p-2, 0x1.eb800c9c5d2ecp-2, 0x1.3d60fa4e04a35p-1},
    {0x1.8df0dd0979384p-2, 0x1.0a7dc7300f1dfp-57, 0x1.14a06c0000000p+0, 0x1.11e9aafea89fdp-28,
     0x1.e98be2088eeffp-3, 0x1.43a08135a8a74p-2, 0x1.123ea6215cd34p-2, 0x1.53e9559fe15c7p-2,
     0x1.8c5c7d51e443bp-2, 0x1.ffcfe9d5b23a5p-2, 0x1.4cbd953a436c6p-1},
    {0x1.924454c462cc4p-2, 0x1.f2cb742770a5cp-56, 0x1.151bc30000000p+0, -0x1.50a3cbcc9d57bp-27,
     0x1.f12e9abc9c861p-3, 0x1.47f6e2294c4c6p-2, 0x1.18f9b4e9f6567p-2, 0x1.5d5e0fef63957p-2,
     0x1.9aa520a18c947p-2, 0x1.0a8e1f2691c8dp-1, 0x1.5cf20936430b0p-1},
    {0x1.9699bdb019139p-2, -0x1.b53a9536565bep-56, 0x1.1599058000000p+0, 0x1.07522c12ab03ap-28,
     0x1.f8ebab39dff05p-3, 0x1.4c688f07f6cbcp-2, 0x1.1fe4e48a13dcdp-2, 0x1.672a4485427adp-2,
     0x1.a98676300ad4bp-2, 0x1.15b9789f054e1p-1, 0x1.6e0bb151caf66p-1},
    {0x1.9af11f89ba61cp-2, 0x1.a884c2416dce8p-56, 0x1.16183b0000000p+0, -0x1.4a8c3ce745099p-28,
     0x1.0061dcc826883p-2, 0x1.50f64bcbdfb22p-2, 0x1.2701f37c70ae5p-2, 0x1.71519dce85895p-2,
     0x1.b907f9bc1bf4dp-2, 0x1.2171636b39548p-1, 0x1.8018d3ade3b92p-1},
    {0x1.9f4a82296347bp-2, -0x1.71ef7327550c7p-56, 0x1.1699698000000p+0, 0x1.da32db3143477p-27,
     0x1.045bb83e7684dp-2, 0x1.55a0e38e6971bp-2, 0x1.2e52b3023620dp-2, 0x1.7bd7f45b1e2e9p-2,
     0x1.c931919330c21p-2, 0x1.2dbdb7ba6f130p-1, 0x1.9328b34f5e04cp-1},
    {0x1.a3a5ed82d9537p-2, 0x1.a2f7c3ea46d69p-57, 0x1.171c990000000p+0, 0x1.01d1705c611ddp-34,
     0x1.0863bfcabf1b7p-2, 0x1.5a6928d510eb8p-2, 0x1.35d90810095dcp-2, 0x1.86c1517110ad3p-2,
     0x1.da0b953f74155p-2, 0x1.3aa6cc076df58p-1, 0x1.a74ba36bbafd0p-1},
    {0x1.a80369a63aaa8p-2, -0x1.37a794e54ac5ap-58, 0x1.17a1d00000000p+0, -0x1.937472e5a1330p-28,
     0x1.0c7a4dbaf6873p-2, 0x1.5f4ff5e22b76dp-2, 0x1.3d96ec485f6e9p-2, 0x1.9211f1c9122dfp-2,
     0x1.eb9ed4acf556fp-2, 0x1.48357dec8fafdp-1, 0x1.bc931c529359fp-1},
    {0x1.ac62fec0b2a92p-2, 0x1.cb9f9a052f11fp-56, 0x1.1829160000000p+0, -0x1.b687cd0cb0208p-27,
     0x1.109fbef7deb6ep-2, 0x1.64562d09aa292p-2, 0x1.458e6f03ee033p-2, 0x1.9dce487781efcp-2,
     0x1.fdf49fcf1ed2fp-2, 0x1.56733ba605254p-1, 0x1.d311d218ee5b6p-1},
    {0x1.b0c4b51d33b86p-2, 0x1.beb0350ac9f2ap-56, 0x1.18b2720000000p+0, 0x1.871b7be6a2717p-27,
     0x1.14d4731dbe8ccp-2, 0x1.697cb90a1c95cp-2, 0x1.4dc1b6691e6e4p-2, 0x1.a9fb0204dcbcap-2,
     0x1.088b676832299p-1, 0x1.656a0e5105869p-1, 0x1.eadbcd2fa6356p-1},
    {0x1.b5289525368abp-2, 0x1.74049ce3d99e1p-57, 0x1.193ded0000000p+0, -0x1.414cd776ad90fp-27,
     0x1.1918cc962cd31p-2, 0x1.6ec48d6a30f4dp-2, 0x1.563300937888cp-2, 0x1.b69d07b907ce7p-2,
     0x1.1287e56b76b7bp-1, 0x1.7524a4f7f1f02p-1, 0x1.0203428903cfdp+0},
    {0x1.b98ea7617ef3ap-2, 0x1.e506899c56eb0p-57, 0x1.19cb8d8000000p+0, 0x1.4f3065b2c4398p-27,
     0x1.1d6d30b2fabe9p-2, 0x1.742ea6daf3993p-2, 0x1.5ee4a4cc0ca69p-2, 0x1.c3b9831d139a8p-2,
     0x1.1cf54bb4f4e58p-1, 0x1.85ae607cf2ec1p-1, 0x1.0f547e9f2c68cp+0},
    {0x1.bdf6f47ae6904p-2, 0x1.e7bfe76547424p-56, 0x1.1a5b5d0000000p+0, -0x1.cd35463b562dfp-27,
     0x1.21d207ca4ca5ep-2, 0x1.79bc0b9f13dedp-2, 0x1.67d914d3f69b1p-2, 0x1.d155e1b760053p-2,
     0x1.27d96e421efb7p-1, 0x1.97136076362edp-1, 0x1.1d6df25777019p+0},
    {0x1.c261853b2d785p-2, -0x1.14e12e6f91a4bp-57, 0x1.1aed628000000p+0, 0x1.69722e8f35a5bp-32,
     0x1.2647bd53f06c5p-2, 0x1.7f6dcbf7794c0p-2, 0x1.7112de4228206p-2, 0x1.df77d9065ad49p-2,
     0x1.333a78b128113p-1, 0x1.a9609110bdc1dp-1, 0x1.2c5cdc07fa5a9p+0},
    {0x1.c6ce628dd132cp-2, -0x1.a252213096b1dp-58, 0x1.1b81a78000000p+0, -0x1.a25c8653242dfp-28,
     0x1.2acec0080207cp-2, 0x1.8545029578832p-2, 0x1.7a94abf5bee52p-2, 0x1.ee256abe676e6p-2,
     0x1.3f1ef40cf747fp-1, 0x1.bca3ba10ab1f0p-1, 0x1.3c2f737a1daefp+0},
    {0x1.cb3d9580ea2b8p-2, 0x1.d9730350eb057p-56, 0x1.1c18340000000p+0, 0x1.b512377a3d650p-27,
     0x1.2f6781feef7e0p-2, 0x1.8b42d512fce45p-2, 0x1.8461479e42362p-2, 0x1.fd64e94fdca9bp-2,
     0x1.4b8dcd064cc59p-1, 0x1.d0eb8f081d92fp-1, 0x1.4cf4fe290142ap+0},
    {0x1.cfaf27460fe9fp-2, -0x1.8bf75f355f723p-57, 0x1.1cb1120000000p+0, -0x1.eb90886198d3ep-29,
     0x1.341278d2eebedp-2, 0x1.91687471015e6p-2, 0x1.8e7b9b5b3dd4fp-2, 0x1.069e7e5d35ba5p-1,
     0x1.588e5aa2f5378p-1, 0x1.e647c0e02135ap-1, 0x1.5ebde54c356bdp+0},
    {0x1.d4232133444adp-2, -0x1.c74e53df13c4ep-56, 0x1.1d4c4a0000000p+0, -0x1.9c5c017b35ea7p-27,
     0x1.38d01dc2f8d6ap-2, 0x1.97b71d9cb8fdcp-2, 0x1.98e6b374cb3c0p-2, 0x1.0eda53d9d808bp-1,
     0x1.6628656cb22bap-1, 0x1.fcc910d1d1429p-1, 0x1.719bcddb37f08p+0},
    {0x1.d8998cc3e6049p-2, 0x1.885cf38c7579ep-56, 0x1.1de9e58000000p+0, -0x1.fe1dfbcae3f1ap-27,
     0x1.3da0edd75f233p-2, 0x1.9e3019fbce473p-2, 0x1.a3a5c02eb8827p-2, 0x1.1769a69394475p-1,
     0x1.74642f2a5a903p-1, 0x1.0a40b2785e4bfp+0, 0x1.85a1b2bad52aap+0},
    {0x1.dd127399aabe7p-2, 0x1.d06bac15788a4p-57, 0x1.1e89ee0000000p+0, 0x1.a019c2ad71493p-32,
     0x1.42856a0810706p-2, 0x1.a4d4c00027674p-2, 0x1.aebc17b81c7d8p-2, 0x1.20505b0b27725p-1,
     0x1.834a7b2ea92fap-1, 0x1.16c1ef356ace8p+0, 0x1.9ae4014ab5d75p+0},
    {0x1.e18ddf7da106bp-2, -0x1.58029cecb4d7bp-58, 0x1.1f2c6e0000000p+0, 0x1.f1650ff439a63p-30,
     0x1.477e1764a53b6p-2, 0x1.aba673c3a4c6dp-2, 0x1.ba2d38394ad5fp-2, 0x1.29928bf012631p-1,
     0x1.92e497493946bp-1, 0x1.23f278d2e44a7p+0, 0x1.b178b88f23e24p+0},
    {0x1.e60bda613a78fp-2, 0x1.c2a7131b3172ep-61, 0x1.1fd16f8000000p+0, 0x1.ad141ce801ea1p-29,
     0x1.4c8b7f3e4bc49p-2, 0x1.b2a6a7ac57a72p-2, 0x1.c5fcca0240d09p-2, 0x1.33348d7c0dfd3p-1,
     0x1.a33c656755e67p-1, 0x1.31dd4032c333ap+0, 0x1.c9778b397a24ep+0},
    {0x1.ea8c6e5f5e67fp-2, -0x1.6a70e7b5a472cp-56, 0x1.2078fd0000000p+0, 0x1.307478fe133adp-28,
     0x1.51ae2f53ae20fp-2, 0x1.b9d6dd19b71efp-2, 0x1.d22ea1dbccc5bp-2, 0x1.3d3af10a789a7p-1,
     0x1.b45c65f382823p-1, 0x1.408dfb1618a8bp+0, 0x1.e2fa04d8d981bp+0},
    {0x1.ef0fa5bd85625p-2, 0x1.7b9360c3b830dp-56, 0x1.2123218000000p+0, -0x1.edc32f7a28969p-28,
     0x1.56e6b9feee197p-2, 0x1.c138a51b63304p-2, 0x1.dec6c37ddefbcp-2, 0x1.47aa88f0652c5p-1,
     0x1.c64fc30404f09p-1, 0x1.5011338438a1dp+0, 0x1.fe1bb284b850dp+0},
    {0x1.f3958aecddef4p-2, -0x1.fc135930a7786p-58, 0x1.21cfe78000000p+0, 0x1.53cc546f9b7afp-29,
     0x1.5c35b665d4687p-2, 0x1.c8cda1320fcb1p-2, 0x1.ebc9642da3280p-2, 0x1.52886c9a5ab93p-1,
     0x1.d9225c6a3ecbep-1, 0x1.607458864a77dp+0, 0x1.0d7d27ade5071p+1},
    {0x1.f81e288b7ae20p-2, -0x1.0803b3e82edbdp-56, 0x1.227f5b0000000p+0, -0x1.0d87f4416f508p-28,
     0x1.619bc0ac52c06p-2, 0x1.d097841b3c74ap-2, 0x1.f93aed86368e2p-2, 0x1.5dd9fcf542a22p-1,
     0x1.ece0d4b6515f0p-1, 0x1.71c5d0576d508p+0, 0x1.1cdafa9dd9431p+1},
    {0x1.fca989658baafp-2, -0x1.10e104cee0e3fp-57, 0x1.2331870000000p+0, 0x1.ee60eec6fa1efp-27,
     0x1.67197a297a074p-2, 0x1.d89812a8690c4p-2, 0x1.0390003784022p-1, 0x1.69a4e9287e745p-1,
     0x1.00cc4fa230477p+0, 0x1.84150c2ced4cfp+0, 0x1.2d38a9108d98cp+1},
    {0x1.009bdc3b4f877p-1, -0x1.3064f62367547p-56, 0x1.23e6788000000p+0, -0x1.0c5f54ac6f07dp-29,
     0x1.6caf899f08570p-2, 0x1.e0d124a284d75p-2, 0x1.0abebc2196b67p-1, 0x1.75ef33a7a40bap-1,
     0x1.0bac07b569a74p+0, 0x1.97729dbdb3faep+0, 0x1.3ea8f1561cb92p+1},
    {0x1.02e46075785a1p-1, 0x1.d1c9139aa7a36p-56, 0x1.249e3b0000000p+0, -0x1.b1aba2320d33dp-29,
     0x1.725e9b73b49e3p-2, 0x1.e944a5ba62b0ep-2, 0x1.122c37169efdap-1, 0x1.82bf37a2f1a3ap-1,
     0x1.17173471984fcp+0, 0x1.abf04eb435d2cp+0, 0x1.51401929e64efp+1},
    {0x1.052e571060fd4p-1, -0x1.c950a10cffaf4p-55, 0x1.2558db8000000p+0, -0x1.218aa360a1e15p-27,
     0x1.782761f060332p-2, 0x1.f1f496870c08ep-2, 0x1.19db1e5dc5333p-1, 0x1.901baede2c890p-1,
     0x1.2315f8c4da84dp+0, 0x1.c1a13a3aac364p+0, 0x1.651410f02264cp+1},
    {0x1.0779c5d4df4b8p-1, 0x1.d8e763d34303bp-55, 0x1.2616668000000p+0, 0x1.dee90e6779e93p-27,
     0x1.7e0a958059501p-2, 0x1.fae30d92dc61bp-2, 0x1.21ce41d86e43ep-1, 0x1.9e0bb7f64ddfdp-1,
     0x1.2fb102493e527p+0, 0x1.d899e8d67de28p+0, 0x1.7a3c9a6d2bcafp+1},
    {0x1.09c6b2a636bb7p-1, 0x1.bd43d34640206p-57, 0x1.26d6ea8000000p+0, -0x1.da6dcfba42521p-30,
     0x1.8408f4f4dc466p-2, 0x1.02091c3c3026cp-1, 0x1.2a08960b1fc43p-1, 0x1.ac96dd1f23165p-1,
     0x1.3cf193ab1487ap+0, 0x1.f0f06ecd5f642p+0, 0x1.90d37356038ddp+1},
    {0x1.0c152382d7366p-1, -0x1.ee6913347c2a6p-55, 0x1.279a748000000p+0, -0x1.37e671d96f384p-27,
     0x1.8a2345cc04426p-2, 0x1.06c22e8802d6ep-1, 0x1.328d364958a56p-1, 0x1.bbc51b62dcf93p-1,
     0x1.4ae18feda4c2cp+0, 0x1.055e46aa8225bp+1, 0x1.a8f48424a8f02p+1},
};

// Relative error of the Taylor sums below 2^-69; with pi/2 - 2 asin z at most doubled, plus the
// rounding of the unnormalized low part (below 2^-17 of the value): 1.3125 * 2^-68.
constexpr double Talp_LeanAsinErr = 0x1.5p-68;
// acos adds asin to a larger pi/2 or pi, or doubles it: the Taylor sum's 2^-69 and 2^-70 for the
// low part's rounding.
constexpr double Talp_LeanAcosErr = 0x1.9p-69;

// asin(zh + zl) for 0 <= zh <= 1/2, |zl| <= ulp(zh)/2.
inline Talp_Dd Talp_AsinTaylor(double zh, double zl) {
    const double shifted = zh * 256 + Talp_RoundingShift;
    const double* row = Talp_AsinTaylorTable[Talp_Bits(shifted) & 0xFF];
    const double d = zh - (shifted - Talp_RoundingShift) * 0x1p-8;  // exact
    return Talp_TaylorSum(row, row + 2, d, zl);
}

// asin z for z = sqrt((1 - ax)/2), 1/2 < ax < 1: the halving and 1 - ax are exact.
inline Talp_Dd Talp_AsinOfHalfComplement(double ax) {
    const double w = (1 - ax) * 0.5, z = std::sqrt(w);
    const double half = 0.5 / z;  // starts beside the exact square
    const Talp_Dd z2 = Talp_TwoProd(z, z);
    return Talp_AsinTaylor(z, ((w - z2.hi) - z2.lo) * half);
}

// k + sign * 2^scale * t as a double-double, k a constant above |2^scale t|; unnormalized (the
// low part stays below 2^-16 of the sum), for the rounding test only.
Talp_Dd Talp_Offset(Talp_Dd k, Talp_Dd t, double factor) {
    const Talp_Dd s = Talp_TwoSum(k.hi, factor * t.hi);
    return {s.hi, s.lo + (k.lo + factor * t.lo)};
}

// sqrt(1 - x^2) for 0 < x < 1.
Talp_Dd Talp_OtherLeg(double x) {
    const Talp_Dd x2 = Talp_TwoProd(x, x);
    return Talp_DdSqrt(Talp_DdAdd({1.0, 0}, {-x2.hi, -x2.lo}));
}

Talp_Wide Talp_OtherLegWide(double x) {
    const Talp_Wide w = Talp_WideFromDouble(x);
    return Talp_WideSqrt(Talp_WideSub(Talp_WideFromDouble(1.0), Talp_WideMul(w, w)));
}

double Talp_NotANumber(double x) {
    return (x - x) / (x - x);
}

// asin |x| (negated when negative) past the first tier.
TALP_NOINLINE double Talp_AsinSlow(double ax, bool negative) {
    Talp_CountSlowPath();
    double out;
    const Talp_Dd leg = Talp_OtherLeg(ax);
    const Talp_Dd t = Talp_FirstQuadrantAngle({ax, 0}, leg);
    if (Talp_RoundAngle(t, false, &out)) return negative ? -out : out;
    return Talp_AtanSlow(Talp_WideFromDouble(ax), Talp_OtherLegWide(ax), t, negative, false);
}

// acos x past the first tier.
TALP_NOINLINE double Talp_AcosSlow(double ax, bool negative) {
    Talp_CountSlowPath();
    double out;
    const Talp_Dd leg = Talp_OtherLeg(ax);
    const Talp_Dd t = Talp_FirstQuadrantAngle(leg, {ax, 0});
    if (Talp_RoundAngle(t, negative, &out)) return out;
    return Talp_AtanSlow(Talp_OtherLegWide(ax), Talp_WideFromDouble(ax), t, false, negative);
}

}  // namespace

double Talp_Asin(double x) {
    const double ax = Talp_Abs(x);
    if (ax != ax) return x + x;
    if (ax > 1) return Talp_NotANumber(x);
    if (ax < 0x1p-26) return x;  // asin x = x + x^3/6 rounds to x
    const bool negative = x < 0;
    if (ax == 1) return negative ? -Talp_HalfPi.hi : Talp_HalfPi.hi;
    // asin x directly up to 1/2, else pi/2 - 2 asin(sqrt((1 - x)/2)).
    const Talp_Dd lean = ax <= 0.5 ? Talp_AsinTaylor(ax, 0)
                                   : Talp_Offset(Talp_HalfPi, Talp_AsinOfHalfComplement(ax), -2);
    double out;
    if (Talp_RoundsSafely(lean, Talp_LeanAsinErr, &out)) return negative ? -out : out;
    return Talp_AsinSlow(ax, negative);
}

double Talp_Acos(double x) {
    const double ax = Talp_Abs(x);
    if (ax != ax) return x + x;
    if (ax > 1) return Talp_NotANumber(x);
    // pi/2 - x rounds to pi/2 below 2^-60 (pi/2 lies 2^-54.2 from a rounding boundary).
    if (ax < 0x1p-60) return Talp_HalfPi.hi;
    const bool negative = x < 0;
    if (ax == 1) return negative ? Talp_Pi.hi : 0.0;
    // pi/2 - asin x up to 1/2, else 2 asin(sqrt((1 - x)/2)) or pi - 2 asin(sqrt((1 + x)/2)).
    Talp_Dd lean;
    if (ax <= 0.5)
        lean = Talp_Offset(Talp_HalfPi, Talp_AsinTaylor(ax, 0), negative ? 1 : -1);
    else if (negative)
        lean = Talp_Offset(Talp_Pi, Talp_AsinOfHalfComplement(ax), -2);
    else
        lean = Talp_Offset({0, 0}, Talp_AsinOfHalfComplement(ax), 2);
    double out;
    if (Talp_RoundsSafely(lean, Talp_LeanAcosErr, &out)) return out;
    return Talp_AcosSlow(ax, negative);
}
