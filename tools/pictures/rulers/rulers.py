"""The 36 rulers in reign order: file stem, picture sizes and the traits that
the portrait and the tughra are drawn from.

Portrait traits (the painter draws every face turned to the right and mirrors
it when `facing` is 'l'):
  face     oval | round | long | broad | thin | young
  skin     skin colour
  age      young | mid | old          (lines on the face, bags under the eyes)
  nose     straight | hooked | aquiline | small | big
  brows    arched | heavy | thin
  beard    none | down | short | full | round | long | pointed | forked
  beard_c  beard colour; moustache, brows and hair take it too
  mous     none | thin | full | long | upturned
  hat      bork | horasani | tall | mucevveze | selimi | kallavi | round
           | kavuk | fez_tall | fez
  hat_c    cloth of the turban (or the fez's felt); cap_c the cap at its top
  plume    None or (feather colours, jewel colour): the aigrette on the turban
  coat     kaftan | fur | frock | cape
  coat_c, inner_c, trim_c   outer garment, garment under it, collar band
  pattern  None | dots | cintemani | stripes | flowers | tulips | medallions
           | leaves, drawn in pat_c
  collar   (frock coats) stand | stand_gold | lapels
  extras   earring, star, sash, epaulettes, frogs, jewel_band
  bg       background colour; frame: arch | panel | oval

Tughra: `name` and `father` in Arabic script, `formula` how the line reads
(early: "X bin Y", shah: "X shah bin Y shah khan el-muzaffer daima", classic:
"X bin Y khan el-muzaffer daima", late: "X khan bin Y el-muzaffer daima"),
`mark` a word written beside the tughra, as some later tughras have.
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
    Ruler(1, 'osman', (60, 77), None, OSMAN, None, facing='r', face='long',
          age='old', beard='long', beard_c='#E4E0D8', mous='full', nose='big',
          hat='bork', coat='fur', coat_c='#2F6B3A', inner_c='#D8C078',
          trim_c='#8A6038', bg='#E9D9A8', frame='arch'),
    Ruler(2, 'orhan', (59, 77), (207, 133), ORHAN, OSMAN, formula='early',
          facing='l', face='oval', age='old', beard='long', beard_c='#8C8078',
          nose='straight', hat='bork', hat_c='#F2EEE4', coat='kaftan',
          coat_c='#B8442A', inner_c='#2E4E8C', trim_c='#E0B848',
          pattern='dots', pat_c='#E8C070', bg='#BFD3B0', frame='arch', pose='front'),
    Ruler(3, 'murad', (59, 77), (163, 148), MURAD, ORHAN, formula='early',
          facing='r', face='broad', age='mid', beard='round',
          beard_c='#5A3A22', nose='aquiline', brows='heavy', hat='horasani',
          cap_c='#B8282C', coat='kaftan', coat_c='#2E5E4A', inner_c='#D04A30',
          trim_c='#D8B040', pattern='leaves', pat_c='#6E9E70',
          bg='#E8C9A0', frame='arch'),
    Ruler(4, 'yildirim', (59, 77), (177, 154), BAYEZID, MURAD,
          formula='early', facing='l', face='broad', age='mid',
          beard='pointed', beard_c='#1E1A18', brows='heavy', nose='hooked',
          hat='horasani', cap_c='#D02E24', coat='kaftan', coat_c='#A02228',
          inner_c='#E6C25A', trim_c='#F0D070', pattern='cintemani',
          pat_c='#E8C050', bg='#A9C1D6', frame='arch', pose='profile'),
    Ruler(5, 'cmehmet', (59, 77), (177, 132), MEHMED, BAYEZID,
          formula='early', facing='r', face='round', age='mid', beard='full',
          beard_c='#6A4428', nose='small', hat='tall', cap_c='#B83030',
          coat='kaftan', coat_c='#D8A830', inner_c='#3C6A3C', trim_c='#8A5A20',
          pattern='flowers', pat_c='#B87818', bg='#C9B8D8', frame='arch', pose='front'),
    Ruler(6, 'murad2', (59, 77), (171, 164), MURAD, MEHMED, facing='l',
          face='round', age='mid', beard='round', beard_c='#4A3020',
          nose='straight', hat='tall', cap_c='#D03A30', coat='kaftan',
          coat_c='#2C4A94', inner_c='#C84030', trim_c='#E0B848',
          pattern='dots', pat_c='#9AB0E0', bg='#E6D2A4', frame='arch', hold='book'),
    # 15th and 16th centuries: round and tall "mucevveze" turbans.
    Ruler(7, 'fatih', (59, 77), (165, 134), MEHMED, MURAD, facing='r',
          face='long', age='mid', beard='full', beard_c='#7A4424',
          nose='hooked', hat='mucevveze', cap_c='#C8302C', coat='kaftan',
          coat_c='#3C6E8C', inner_c='#B83228', trim_c='#E0C060',
          bg='#E8DCB8', frame='panel', hold='rose'),
    Ruler(8, 'bayezid2', (60, 77), (170, 148), BAYEZID, MEHMED,
          formula='shah', facing='l', face='thin', age='old', beard='long',
          beard_c='#B8B4AC', nose='aquiline', hat='mucevveze', cap_c='#B8282C',
          coat='fur', coat_c='#5E7A3A', inner_c='#D8B868', trim_c='#9A7048',
          bg='#B6CDD8', frame='panel', hold='beads'),
    Ruler(9, 'yavuz', (61, 77), (169, 147), SELIM, BAYEZID, formula='shah',
          facing='r', face='broad', age='mid', beard='none', mous='long',
          beard_c='#2A1E16', brows='heavy', nose='aquiline', hat='selimi',
          coat='kaftan', coat_c='#C02A22', inner_c='#2E3E6E', trim_c='#E8C050',
          pattern='cintemani', pat_c='#F0C858', extras=X('earring'),
          bg='#D8C89A', frame='panel'),
    Ruler(10, 'kanuni', (60, 79), (142, 117), SULEYMAN, SELIM,
          formula='shah', facing='l', face='thin', age='mid', beard='short',
          beard_c='#6A5040', nose='aquiline', hat='kallavi', cap_c='#C02C2C',
          coat='kaftan', coat_c='#F0E8D0', inner_c='#A02830', trim_c='#C89A30',
          pattern='medallions', pat_c='#C8A040', extras=X('jewel_band'),
          bg='#9FB8A0', frame='panel', pose='profile', hat_h=1.05, hat_w=0.92),
    Ruler(11, 'selim2', (59, 79), (182, 138), SELIM, SULEYMAN,
          formula='shah', facing='r', face='round', age='mid', beard='full',
          beard_c='#C8904A', skin='#F6D2B0', nose='small', hat='kallavi',
          cap_c='#C83A30', coat='kaftan', coat_c='#E49A30', inner_c='#3E6A98',
          trim_c='#8A4A18', pattern='stripes', pat_c='#C87A20',
          bg='#C4D4E4', frame='panel', pose='profile', hat_h=0.86, hat_w=0.98, hold='arrow'),
    Ruler(12, 'murad3', (59, 79), (218, 99), MURAD, SELIM, facing='l',
          face='round', age='mid', beard='round', beard_c='#B06A34',
          skin='#F4CCA8', nose='straight', hat='mucevveze', cap_c='#2E7A48',
          coat='kaftan', coat_c='#2E7E4E', inner_c='#E8D070', trim_c='#E0B848',
          pattern='flowers', pat_c='#E8C860', bg='#EAD0C0', frame='panel', hat_w=1.12, hat_h=1.2, hold='kerchief'),
    Ruler(13, 'mehmed3', (59, 79), (193, 105), MEHMED, MURAD, facing='r',
          face='broad', age='mid', beard='full', beard_c='#20181A',
          nose='big', brows='heavy', hat='kallavi', cap_c='#B8282C',
          coat='fur', coat_c='#8E1E2E', inner_c='#D8B050', trim_c='#7A5434',
          bg='#D8D0A0', frame='panel', pose='front', hat_w=1.12, hat_h=0.92),
    Ruler(14, 'ahmed', (59, 79), (176, 127), AHMED, MEHMED, facing='l',
          face='young', age='young', beard='down', beard_c='#4A3424',
          mous='thin', nose='small', hat='round', plume=BLACK_TALL,
          coat='kaftan', coat_c='#2A4C8E', inner_c='#E8E0C8', trim_c='#E0B848',
          pattern='cintemani', pat_c='#E8C050', bg='#E4D6B0', frame='panel'),
    Ruler(15, 'mustafa', (59, 79), (210, 144), MUSTAFA, MEHMED, facing='r',
          face='thin', age='mid', beard='short', beard_c='#6A5A48',
          mous='thin', skin='#EAC8A8', brows='thin', nose='straight',
          hat='round', coat='kaftan', coat_c='#9AAE9A', inner_c='#E0D8C0',
          trim_c='#6A7A6A', bg='#D6D6D0', frame='panel', hat_w=0.9, hat_h=1.1, cap_c='#5A7A5A'),
    Ruler(16, 'gencosman', (59, 79), (230, 133), OSMAN, AHMED, facing='l',
          face='young', age='young', beard='none', mous='thin',
          beard_c='#3A2A1E', nose='small', hat='kallavi', cap_c='#C8302C',
          plume=WHITE_FAN, coat='kaftan', coat_c='#D8542A',
          inner_c='#F0E0A0', trim_c='#F0D070', pattern='tulips',
          pat_c='#F4D27A', bg='#B8D0C8', frame='panel', hold='bow', hat_h=0.9),
    Ruler(17, 'murad4', (60, 79), (204, 123), MURAD, AHMED, facing='r',
          face='broad', age='mid', beard='full', beard_c='#141214',
          brows='heavy', nose='aquiline', hat='round', plume=BLACK_BENT,
          coat='fur', coat_c='#7A1E22', inner_c='#D8A840', trim_c='#5A3C28',
          bg='#C8B890', frame='panel', hold='mace', hat_w=1.08),
    Ruler(18, 'ibrahim', (61, 79), (198, 147), IBRAHIM, AHMED, facing='l',
          face='long', age='mid', beard='pointed', beard_c='#2A201C',
          skin='#ECC6A4', nose='straight', hat='round', plume=MIXED_FAN,
          coat='fur', coat_c='#5A3A7A', inner_c='#E8C870', trim_c='#3E2A20',
          bg='#E2C8B8', frame='panel', hat_w=0.95, hat_h=1.1),
    Ruler(19, 'mehmed4', (60, 79), (216, 136), MEHMED, IBRAHIM, facing='r',
          face='oval', age='mid', beard='full', beard_c='#5A3E28',
          nose='straight', hat='round', plume=BLACK_TALL, coat='kaftan',
          coat_c='#3E7A3A', inner_c='#C8A050', trim_c='#D8B848',
          pattern='leaves', pat_c='#7EAA60', bg='#D8E0C0', frame='panel', hold='falcon'),
    Ruler(20, 'suleyman2', (59, 79), (209, 143), SULEYMAN, IBRAHIM,
          facing='l', face='long', age='old', beard='long', beard_c='#A8A29A',
          nose='big', hat='round', coat='kaftan', coat_c='#7A5A3A',
          inner_c='#D8C8A0', trim_c='#C8A060', pattern='dots',
          pat_c='#A88458', bg='#C8D4DC', frame='panel', pose='profile', hat_w=1.05, hat_h=0.95),
    Ruler(21, 'ahmed2', (59, 79), (204, 159), AHMED, IBRAHIM, facing='r',
          face='round', age='old', beard='round', beard_c='#9A948C',
          nose='straight', hat='round', coat='fur', coat_c='#24386E',
          inner_c='#C8B078', trim_c='#8A6A48', bg='#E6D8C0', frame='panel', pose='front', hat_w=1.1),
    Ruler(22, 'mustafa2', (59, 79), (206, 142), MUSTAFA, MEHMED, facing='l',
          face='broad', age='mid', beard='full', beard_c='#221A18',
          nose='aquiline', hat='kavuk', plume=BLACK_BENT, coat='kaftan',
          coat_c='#C8502A', inner_c='#2C5A6A', trim_c='#F0D070',
          pattern='medallions', pat_c='#F0C060', extras=X('frogs'),
          bg='#B4C8B8', frame='panel'),
    # 18th century: turbans with aigrettes, fur-lined robes.
    Ruler(23, 'ahmed3', (59, 79), (164, 144), AHMED, MEHMED, formula='late',
          facing='r', face='round', age='mid', beard='full', beard_c='#2A1E1A',
          nose='straight', hat='kavuk', plume=MIXED_FAN, coat='fur',
          coat_c='#D07A98', inner_c='#E8D8A0', trim_c='#7A5A40',
          pattern='tulips', pat_c='#F0E0E8', bg='#EED9B0', frame='arch', hold='tulip'),
    Ruler(24, 'mahmud1', (59, 79), (176, 139), MAHMUD, MUSTAFA,
          formula='late', facing='l', face='round', age='mid', beard='round',
          beard_c='#2E2420', nose='big', hat='kavuk', plume=BLACK_TALL,
          coat='kaftan', coat_c='#6A9AC8', inner_c='#F0E4C0', trim_c='#E0C060',
          pattern='flowers', pat_c='#E8EEF8', extras=X('frogs'),
          bg='#E6CDB0', frame='arch', hold='book', hat_w=1.08, hat_h=0.9),
    Ruler(25, 'osman3', (59, 79), (142, 129), OSMAN, MUSTAFA, formula='late',
          facing='r', face='thin', age='old', beard='pointed',
          beard_c='#8E8882', nose='aquiline', hat='round', plume=WHITE_BENT,
          coat='kaftan', coat_c='#6A6A2E', inner_c='#D8B868', trim_c='#C8A048',
          pattern='stripes', pat_c='#8A8A48', bg='#D0C4D8', frame='arch', pose='profile'),
    Ruler(26, 'mustafa3', (60, 79), (144, 136), MUSTAFA, AHMED,
          formula='late', facing='l', face='broad', age='mid', beard='full',
          beard_c='#1E1818', nose='straight', brows='heavy', hat='kavuk',
          plume=BLACK_FAN, coat='fur', coat_c='#E0A830', inner_c='#A83028',
          trim_c='#6A4A30', bg='#B8CCD8', frame='arch', hat_w=1.06, hat_h=1.08),
    Ruler(27, 'abdulhamid1', (61, 79), (158, 126), ABDULHAMID, AHMED,
          formula='late', facing='r', face='round', age='old', beard='round',
          beard_c='#E0DCD4', nose='small', hat='round', plume=WHITE_TALL,
          coat='fur', coat_c='#2E6E58', inner_c='#E8D8A8', trim_c='#8A6848',
          bg='#E8D0B8', frame='arch', pose='front'),
    Ruler(28, 'selim3', (60, 80), (145, 134), SELIM, MUSTAFA, formula='late',
          facing='l', face='oval', age='mid', beard='short', beard_c='#241C18',
          nose='aquiline', hat='kavuk', hat_c='#F8F4EA', plume=MIXED_FAN,
          coat='kaftan', coat_c='#A82A3A', inner_c='#F0E8D8', trim_c='#E8C860',
          pattern='medallions', pat_c='#E8B850', extras=X('frogs'),
          bg='#C8D8C0', frame='arch'),
    Ruler(29, 'mustafa4', (59, 80), (156, 152), MUSTAFA, ABDULHAMID,
          formula='late', facing='r', face='young', age='young', beard='short',
          beard_c='#2A1E18', nose='straight', hat='kavuk', plume=BLACK_BENT,
          coat='kaftan', coat_c='#6A3A7E', inner_c='#E0C880', trim_c='#E0C060',
          pattern='dots', pat_c='#C8A8D8', bg='#E8DCC0', frame='arch', hat_w=0.92),
    # 19th and 20th centuries: the fez, cloak and frock coat, oval frames.
    Ruler(30, 'mahmud2', (59, 80), (155, 146), MAHMUD, ABDULHAMID,
          formula='late', mark='عدلى', facing='l', face='oval', age='mid',
          beard='full', beard_c='#121012', brows='heavy', nose='aquiline',
          hat='fez_tall', hat_c='#B8222A', plume=BLACK_FAN, coat='cape',
          coat_c='#1E2A4A', inner_c='#C8A040', trim_c='#D8B048',
          bg='#6E8A6A', frame='oval'),
    Ruler(31, 'abdulmecid1', (59, 80), (146, 136), ABDULMECID, MAHMUD,
          formula='late', facing='r', face='young', age='young', beard='short',
          beard_c='#4A3628', mous='thin', skin='#F2D0B0', nose='straight',
          hat='fez', hat_c='#B8262E', coat='frock', coat_c='#1E2644',
          collar='stand_gold', trim_c='#D8B048', extras=X('star'),
          bg='#7A6A8E', frame='oval'),
    Ruler(32, 'abdulaziz', (59, 80), (127, 130), ABDULAZIZ, MAHMUD,
          formula='late', facing='l', face='broad', age='mid', beard='round',
          beard_c='#2A2220', brows='heavy', nose='big', hat='fez',
          hat_c='#C02A2C', coat='frock', coat_c='#1A2240', collar='stand_gold',
          trim_c='#E0B848', extras=X('epaulettes', 'star'), bg='#5E7E8E',
          frame='oval'),
    Ruler(33, 'murad5', (59, 80), (123, 116), MURAD, ABDULMECID,
          formula='late', facing='r', face='thin', age='young', beard='short',
          beard_c='#6A4A32', mous='thin', skin='#F0D0B4', brows='thin',
          nose='small', hat='fez', hat_c='#A82230', coat='frock',
          coat_c='#1C1C22', collar='lapels', trim_c='#2A2A32',
          bg='#8E7A5E', frame='oval', pose='front'),
    Ruler(34, 'abdulhamid2', (59, 80), (124, 120), ABDULHAMID, ABDULMECID,
          formula='late', mark='الغازى', facing='l', face='long', age='mid',
          beard='full', beard_c='#1A1618', nose='hooked', brows='heavy',
          hat='fez', hat_c='#B0242A', coat='frock', coat_c='#16161C',
          collar='stand', trim_c='#2A2A30', bg='#6E5A6E', frame='oval'),
    Ruler(35, 'mehmedresad', (60, 80), (125, 114), MEHMED, ABDULMECID,
          formula='late', mark='رشاد', facing='r', face='round', age='old',
          beard='short', beard_c='#ECE8E2', nose='big', skin='#F2CCAE',
          hat='fez', hat_c='#B4262C', coat='frock', coat_c='#18181E',
          collar='lapels', trim_c='#2A2A30', extras=X('sash', 'star'),
          bg='#5E7A6A', frame='oval', pose='front'),
    Ruler(36, 'vahdeddin', (61, 80), (124, 122), MEHMED, ABDULMECID,
          formula='late', mark='وحيد الدين', facing='l', face='thin',
          age='old', beard='short', beard_c='#D8D4CE', mous='full',
          nose='aquiline', hat='fez', hat_c='#A8242C', coat='frock',
          coat_c='#1E1E26', collar='lapels', trim_c='#2C2C34', extras=X('star'),
          bg='#7E6A58', frame='oval'),
]


def file_name(r):
    return f'{r.n:02d}-{r.stem}'
