"""The 36 rulers in reign order: file stem, picture sizes and the traits that
the portrait and the tughra are drawn from.

Portrait traits (the painter draws every face turned to the right and mirrors
it when `facing` is 'l'):
  face     oval | round | long | broad | thin | young
  skin     skin colour
  age      young | mid | old          (lines on the face, bags under the eyes)
  nose     straight | hooked | aquiline | small | big
  brows    arched | heavy | thin
  beard    none | down | short | full | round | long | pointed
  beard_c  beard colour; moustache, brows and hair take it too
  mous     none | thin | full | long | upturned
  hat      bork | horasani | tall | mucevveze | selimi | kallavi | round
           | kavuk | fez_tall | fez
  hat_c    cloth of the turban (or the fez's felt); cap_c the cap at its top
  plume    None or (feather colours, jewel colour, bent | tall | fan): the
           aigrette pinned to the turban or fez
  coat     kaftan | fur | frock | cape
  coat_c, inner_c, trim_c   outer garment, garment under it, collar band
  pattern  None | dots | cintemani | stripes | flowers | tulips | medallions
           | leaves, drawn in pat_c
  collar   (frock coats) stand | stand_gold | lapels
  extras   earring, star, sash, epaulettes, frogs, jewel_band, gilt (gold
           threads in the turban's folds)
  hold     None | rose | tulip | kerchief | beads | book | mace | bow | arrow
           | falcon: something in his hand
  pose     three (three-quarter) | profile | front
  hat_w, hat_h   stretch the headgear
  bg       background colour; frame: arch | panel | oval

Tughra: `name` and `father` in Arabic script, `formula` how the line reads:
  early    X bin Y
  shah     X shah bin Y khan el-muzaffer daima
  shah2    X shah bin Y shah khan el-muzaffer daima
  classic  X bin Y khan el-muzaffer daima
  late     X khan bin Y el-muzaffer daima
and `mark` a word written beside the sweeps, as some later tughras have.
"""
from dataclasses import dataclass, field


@dataclass
class Ruler:
    n: int
    stem: str
    portrait: tuple            # GIF size, pixels
    tughra: tuple | None       # JPEG size, pixels
    name: str                  # tughra: the ruler's name
    father: str | None         # tughra: his father's name
    formula: str = 'classic'
    mark: str | None = None
    facing: str = 'r'
    pose: str = 'three'
    face: str = 'oval'
    skin: str = '#F0C8A0'
    age: str = 'mid'
    nose: str = 'straight'
    brows: str = 'arched'
    beard: str = 'full'
    beard_c: str = '#3A2A1E'
    mous: str = 'full'
    hat: str = 'round'
    hat_c: str = '#F6F2E8'
    cap_c: str = '#C0302A'
    hat_w: float = 1.0
    hat_h: float = 1.0
    plume: tuple | None = None
    coat: str = 'kaftan'
    coat_c: str = '#B03028'
    inner_c: str = '#E8C860'
    trim_c: str = '#D8B040'
    pattern: str | None = None
    pat_c: str = '#E0C060'
    collar: str = 'stand'
    extras: frozenset = field(default_factory=frozenset)
    hold: str | None = None
    bg: str = '#E8DDBE'
    frame: str = 'panel'


def X(*names):
    return frozenset(names)


# Arabic names used in the tughras.
OSMAN, ORHAN, MURAD, BAYEZID = 'عثمان', 'اورخان', 'مراد', 'بايزيد'
MEHMED, SELIM, SULEYMAN, AHMED = 'محمد', 'سليم', 'سليمان', 'احمد'
MUSTAFA, IBRAHIM, MAHMUD = 'مصطفى', 'ابراهيم', 'محمود'
ABDULHAMID, ABDULMECID, ABDULAZIZ = 'عبد الحميد', 'عبد المجيد', 'عبد العزيز'

# Aigrettes: feather colours, the jewel's stone, how the feathers stand.
BLACK_BENT = (('#1C1C22', '#2E2E36'), '#C8202C', 'bent')
BLACK_TALL = (('#1C1C22', '#34343C'), '#C8202C', 'tall')
BLACK_FAN = (('#1C1C22', '#2E2E36', '#1C1C22'), '#1E8A50', 'fan')
WHITE_BENT = (('#F4F4F0', '#DCDCD4'), '#1E8A50', 'bent')
WHITE_TALL = (('#F4F4F0', '#E4E4DC'), '#2050A0', 'tall')
WHITE_FAN = (('#F4F4F0', '#DCDCD4', '#F4F4F0'), '#C8202C', 'fan')
MIXED_FAN = (('#1C1C22', '#F4F4F0', '#1C1C22'), '#C8202C', 'fan')

RULERS = [
    # 14th century: tall felt caps and tall wrapped turbans, arched panels.
    Ruler(1, 'osman', (60, 77), None, OSMAN, None, face='long', age='old',
          nose='big', beard='long', beard_c='#E4E0D8', hat='bork',
          hat_c='#F0E8D4', coat='fur', coat_c='#2F6B3A', inner_c='#D8C078',
          trim_c='#8A6038', bg='#E9D9A8', frame='arch'),
    Ruler(2, 'orhan', (59, 77), (207, 133), ORHAN, OSMAN, formula='early',
          facing='l', pose='front', age='old', beard='long', beard_c='#8C8078',
          hat='bork', hat_c='#F2EEE4', coat_c='#B8442A', inner_c='#2E4E8C',
          trim_c='#E0B848', pattern='dots', pat_c='#E8C070', bg='#BFD3B0',
          frame='arch'),
    Ruler(3, 'murad', (59, 77), (163, 148), MURAD, ORHAN, formula='early',
          face='broad', nose='aquiline', brows='heavy', beard='round',
          beard_c='#5A3A22', hat='horasani', hat_c='#F4EEE0', cap_c='#B8282C',
          coat_c='#2E5E4A', inner_c='#D04A30', pattern='leaves',
          pat_c='#6E9E70', bg='#E8C9A0', frame='arch'),
    Ruler(4, 'yildirim', (59, 77), (177, 154), BAYEZID, MURAD, formula='early',
          facing='l', pose='profile', face='broad', nose='hooked',
          brows='heavy', beard='pointed', beard_c='#1E1A18', hat='horasani',
          cap_c='#D02E24', coat_c='#A02228', inner_c='#E6C25A',
          trim_c='#F0D070', pattern='cintemani', pat_c='#E8C050', bg='#A9C1D6',
          frame='arch'),
    Ruler(5, 'cmehmet', (59, 77), (177, 132), MEHMED, BAYEZID, formula='early',
          pose='front', face='round', nose='small', beard_c='#6A4428',
          hat='tall', cap_c='#B83030', coat_c='#D8A830', inner_c='#3C6A3C',
          trim_c='#8A5A20', pattern='flowers', pat_c='#B87818', bg='#C9B8D8',
          frame='arch'),
    Ruler(6, 'murad2', (59, 77), (171, 164), MURAD, MEHMED, facing='l',
          face='round', beard='round', beard_c='#4A3020', hat='tall',
          cap_c='#D03A30', coat_c='#2C4A94', inner_c='#C84030',
          trim_c='#E0B848', pattern='dots', pat_c='#9AB0E0', hold='book',
          bg='#E6D2A4', frame='arch'),
    # 15th and 16th centuries: round and tall "mucevveze" turbans.
    Ruler(7, 'fatih', (59, 77), (165, 134), MEHMED, MURAD, face='long',
          nose='hooked', beard_c='#7A4424', hat='mucevveze', cap_c='#C8302C',
          coat_c='#3C6E8C', inner_c='#B83228', trim_c='#E0C060', hold='rose',
          bg='#E8DCB8'),
    Ruler(8, 'bayezid2', (60, 77), (170, 148), BAYEZID, MEHMED, formula='shah',
          facing='l', face='thin', age='old', nose='aquiline', beard='long',
          beard_c='#B8B4AC', hat='mucevveze', cap_c='#B8282C', coat='fur',
          coat_c='#5E7A3A', inner_c='#D8B868', trim_c='#9A7048', hold='beads',
          bg='#B6CDD8'),
    Ruler(9, 'yavuz', (61, 77), (169, 147), SELIM, BAYEZID, formula='shah',
          face='broad', nose='aquiline', brows='heavy', beard='none',
          beard_c='#2A1E16', mous='long', hat='selimi', coat_c='#C02A22',
          inner_c='#2E3E6E', trim_c='#E8C050', pattern='cintemani',
          pat_c='#F0C858', extras=X('earring'), bg='#D8C89A'),
    Ruler(10, 'kanuni', (60, 79), (142, 117), SULEYMAN, SELIM, formula='shah2',
          facing='l', pose='profile', face='thin', nose='aquiline',
          beard='short', beard_c='#6A5040', hat='kallavi', cap_c='#C02C2C',
          hat_w=0.92, hat_h=1.05, coat_c='#F0E8D0', inner_c='#A02830',
          trim_c='#C89A30', pattern='medallions', pat_c='#C8A040',
          extras=X('jewel_band'), bg='#9FB8A0'),
    Ruler(11, 'selim2', (59, 79), (182, 138), SELIM, SULEYMAN,
          formula='shah2',
          pose='profile', face='round', skin='#F6D2B0', nose='small',
          beard_c='#C8904A', hat='kallavi', cap_c='#C83A30', hat_w=0.98,
          hat_h=0.86, coat_c='#E49A30', inner_c='#3E6A98', trim_c='#8A4A18',
          pattern='stripes', pat_c='#C87A20', hold='arrow', bg='#C4D4E4'),
    Ruler(12, 'murad3', (59, 79), (218, 99), MURAD, SELIM, facing='l',
          face='round', skin='#F4CCA8', beard='round', beard_c='#B06A34',
          hat='mucevveze', cap_c='#2E7A48', hat_w=1.12, hat_h=1.2,
          coat_c='#2E7E4E', inner_c='#E8D070', trim_c='#E0B848',
          pattern='flowers', pat_c='#E8C860', hold='kerchief', bg='#EAD0C0'),
    Ruler(13, 'mehmed3', (59, 79), (193, 105), MEHMED, MURAD, pose='front',
          face='broad', nose='big', brows='heavy', beard_c='#20181A',
          hat='kallavi', hat_c='#EEF0F4', cap_c='#B8282C', hat_w=1.12,
          hat_h=0.92, coat='fur', coat_c='#8E1E2E', inner_c='#D8B050',
          trim_c='#7A5434', bg='#D8D0A0'),
    Ruler(14, 'ahmed', (59, 79), (176, 127), AHMED, MEHMED, facing='l',
          face='young', age='young', nose='small', beard='down',
          beard_c='#4A3424', mous='thin', plume=BLACK_TALL, coat_c='#2A4C8E',
          inner_c='#E8E0C8', trim_c='#E0B848', pattern='cintemani',
          pat_c='#E8C050', extras=X('gilt'), bg='#E4D6B0'),
    Ruler(15, 'mustafa', (59, 79), (210, 144), MUSTAFA, MEHMED, face='thin',
          skin='#EAC8A8', brows='thin', beard='short', beard_c='#6A5A48',
          mous='thin', cap_c='#5A7A5A', hat_w=0.9, hat_h=1.1, coat_c='#9AAE9A',
          inner_c='#E0D8C0', trim_c='#6A7A6A', bg='#D6D6D0'),
    Ruler(16, 'gencosman', (59, 79), (230, 133), OSMAN, AHMED, facing='l',
          face='young', age='young', nose='small', beard='none', mous='thin',
          hat='kallavi', cap_c='#C8302C', hat_h=0.9, plume=WHITE_FAN,
          coat_c='#D8542A', inner_c='#F0E0A0', trim_c='#F0D070',
          pattern='tulips', pat_c='#F4D27A', hold='bow', bg='#B8D0C8'),
    Ruler(17, 'murad4', (60, 79), (204, 123), MURAD, AHMED, face='broad',
          nose='aquiline', brows='heavy', beard_c='#141214', hat_w=1.08,
          plume=BLACK_BENT, coat='fur', coat_c='#7A1E22', inner_c='#D8A840',
          trim_c='#5A3C28', extras=X('gilt'), hold='mace', bg='#C8B890'),
    Ruler(18, 'ibrahim', (61, 79), (198, 147), IBRAHIM, AHMED, facing='l',
          face='long', skin='#ECC6A4', beard='pointed', beard_c='#2A201C',
          hat_w=0.95, hat_h=1.1, plume=MIXED_FAN, coat='fur', coat_c='#5A3A7A',
          inner_c='#E8C870', trim_c='#3E2A20', bg='#E2C8B8'),
    Ruler(19, 'mehmed4', (60, 79), (216, 136), MEHMED, IBRAHIM,
          beard_c='#5A3E28', plume=BLACK_TALL, coat_c='#3E7A3A',
          inner_c='#C8A050', trim_c='#D8B848', pattern='leaves',
          pat_c='#7EAA60', hold='falcon', bg='#D8E0C0'),
    Ruler(20, 'suleyman2', (59, 79), (209, 143), SULEYMAN, IBRAHIM, facing='l',
          pose='profile', face='long', age='old', nose='big', beard='long',
          beard_c='#A8A29A', hat_c='#F0ECE0', hat_w=1.05, hat_h=0.95,
          coat_c='#7A5A3A', inner_c='#D8C8A0', trim_c='#C8A060',
          pattern='dots', pat_c='#A88458', bg='#C8D4DC'),
    Ruler(21, 'ahmed2', (59, 79), (204, 159), AHMED, IBRAHIM, pose='front',
          face='round', age='old', beard='round', beard_c='#9A948C', hat_w=1.1,
          coat='fur', coat_c='#24386E', inner_c='#C8B078', trim_c='#8A6A48',
          bg='#E6D8C0'),
    Ruler(22, 'mustafa2', (59, 79), (206, 142), MUSTAFA, MEHMED, facing='l',
          face='broad', nose='aquiline', beard_c='#221A18', hat='kavuk',
          plume=BLACK_BENT, coat_c='#C8502A', inner_c='#2C5A6A',
          trim_c='#F0D070', pattern='medallions', pat_c='#F0C060',
          extras=X('frogs'), bg='#B4C8B8'),
    # 18th century: turbans with aigrettes, fur-lined robes.
    Ruler(23, 'ahmed3', (59, 79), (164, 144), AHMED, MEHMED, formula='late',
          face='round', beard_c='#2A1E1A', hat='kavuk', plume=MIXED_FAN,
          coat='fur', coat_c='#D07A98', inner_c='#E8D8A0', trim_c='#7A5A40',
          pattern='tulips', pat_c='#F0E0E8', extras=X('gilt'), hold='tulip',
          bg='#EED9B0', frame='arch'),
    Ruler(24, 'mahmud1', (59, 79), (176, 139), MAHMUD, MUSTAFA, formula='late',
          facing='l', face='round', nose='big', beard='round',
          beard_c='#2E2420', hat='kavuk', hat_w=1.08, hat_h=0.9,
          plume=BLACK_TALL, coat_c='#6A9AC8', inner_c='#F0E4C0',
          trim_c='#E0C060', pattern='flowers', pat_c='#E8EEF8',
          extras=X('frogs'), hold='book', bg='#E6CDB0', frame='arch'),
    Ruler(25, 'osman3', (59, 79), (142, 129), OSMAN, MUSTAFA, formula='late',
          pose='profile', face='thin', age='old', nose='aquiline',
          beard='pointed', beard_c='#8E8882', hat_c='#ECEEF2',
          plume=WHITE_BENT, coat_c='#6A6A2E', inner_c='#D8B868',
          trim_c='#C8A048', pattern='stripes', pat_c='#8A8A48', bg='#D0C4D8',
          frame='arch'),
    Ruler(26, 'mustafa3', (60, 79), (144, 136), MUSTAFA, AHMED, formula='late',
          facing='l', face='broad', brows='heavy', beard_c='#1E1818',
          hat='kavuk', hat_w=1.06, hat_h=1.08, plume=BLACK_FAN, coat='fur',
          coat_c='#E0A830', inner_c='#A83028', trim_c='#6A4A30', bg='#B8CCD8',
          frame='arch'),
    Ruler(27, 'abdulhamid1', (61, 79), (158, 126), ABDULHAMID, AHMED,
          formula='late', pose='front', face='round', age='old', nose='small',
          beard='round', beard_c='#E0DCD4', plume=WHITE_TALL, coat='fur',
          coat_c='#2E6E58', inner_c='#E8D8A8', trim_c='#8A6848', bg='#E8D0B8',
          frame='arch'),
    Ruler(28, 'selim3', (60, 80), (145, 134), SELIM, MUSTAFA, formula='late',
          facing='l', nose='aquiline', beard='short', beard_c='#241C18',
          hat='kavuk', hat_c='#F8F4EA', plume=MIXED_FAN, coat_c='#A82A3A',
          inner_c='#F0E8D8', trim_c='#E8C860', pattern='medallions',
          pat_c='#E8B850', extras=X('frogs', 'gilt'), bg='#C8D8C0',
          frame='arch'),
    Ruler(29, 'mustafa4', (59, 80), (156, 152), MUSTAFA, ABDULHAMID,
          formula='late', face='young', age='young', beard='short',
          beard_c='#2A1E18', hat='kavuk', hat_w=0.92, plume=BLACK_BENT,
          coat_c='#6A3A7E', inner_c='#E0C880', trim_c='#E0C060',
          pattern='dots', pat_c='#C8A8D8', bg='#E8DCC0', frame='arch'),
    # 19th and 20th centuries: the fez, cloak and frock coat, oval frames.
    Ruler(30, 'mahmud2', (59, 80), (155, 146), MAHMUD, ABDULHAMID,
          formula='late', mark='عدلى', facing='l', nose='aquiline',
          brows='heavy', beard_c='#121012', hat='fez_tall', hat_c='#B8222A',
          plume=BLACK_FAN, coat='cape', coat_c='#1E2A4A', inner_c='#C8A040',
          trim_c='#D8B048', bg='#6E8A6A', frame='oval'),
    Ruler(31, 'abdulmecid1', (59, 80), (146, 136), ABDULMECID, MAHMUD,
          formula='late', face='young', skin='#F2D0B0', age='young',
          beard='short', beard_c='#4A3628', mous='thin', hat='fez',
          hat_c='#B8262E', hat_h=1.15, coat='frock', coat_c='#1E2644',
          trim_c='#D8B048', collar='stand_gold', extras=X('star'),
          bg='#7A6A8E', frame='oval'),
    Ruler(32, 'abdulaziz', (59, 80), (127, 130), ABDULAZIZ, MAHMUD,
          formula='late', facing='l', face='broad', nose='big', brows='heavy',
          beard='round', beard_c='#2A2220', hat='fez', hat_c='#C02A2C',
          hat_h=1.05, coat='frock', coat_c='#1A2240', trim_c='#E0B848',
          collar='stand_gold', extras=X('epaulettes', 'star'), bg='#5E7E8E',
          frame='oval'),
    Ruler(33, 'murad5', (59, 80), (123, 116), MURAD, ABDULMECID,
          formula='late', pose='front', face='thin', skin='#F0D0B4',
          age='young', nose='small', brows='thin', beard='short',
          beard_c='#6A4A32', mous='thin', hat='fez', hat_c='#A82230',
          hat_h=0.95, coat='frock', coat_c='#26302A', trim_c='#34403A',
          collar='lapels', bg='#8E7A5E', frame='oval'),
    Ruler(34, 'abdulhamid2', (59, 80), (124, 120), ABDULHAMID, ABDULMECID,
          formula='late', mark='الغازى', facing='l', face='long',
          nose='hooked', brows='heavy', beard_c='#1A1618', hat='fez',
          hat_c='#B0242A', coat='frock', coat_c='#16161C', trim_c='#2A2A30',
          bg='#6E5A6E', frame='oval'),
    Ruler(35, 'mehmedresad', (60, 80), (125, 114), MEHMED, ABDULMECID,
          formula='late', mark='رشاد', pose='front', face='round',
          skin='#F2CCAE', age='old', nose='big', beard='short',
          beard_c='#ECE8E2', hat='fez', hat_c='#B4262C', hat_h=0.88,
          coat='frock', coat_c='#18181E', trim_c='#2A2A30', collar='lapels',
          extras=X('sash', 'star'), bg='#5E7A6A', frame='oval'),
    Ruler(36, 'vahdeddin', (61, 80), (124, 122), MEHMED, ABDULMECID,
          formula='late', mark='وحيد الدين', facing='l', face='thin',
          age='old', nose='aquiline', beard='short', beard_c='#D8D4CE',
          hat='fez', hat_c='#A8242C', hat_h=0.92, coat='frock',
          coat_c='#1E2230', trim_c='#2C2C34', extras=X('star'), bg='#5A6E8A',
          frame='oval'),
]


def file_name(r):
    return f'{r.n:02d}-{r.stem}'
